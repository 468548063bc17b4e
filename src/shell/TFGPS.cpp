#include "TFGPS.h"

#include "platform/DisplaySettings.h"
#include "platform/HandlerGuard.h"

TFGPS* FGPS = nullptr;

TFGPS::TFGPS(QWidget* parent) : FormOf(FGPS, QStringLiteral("FGPS"), QStringLiteral("Settings"), parent)
{
    skerra::guarded(this, [this] { FormCreate(); });
}

void TFGPS::FormCreate()
{
    if (DisplaySettings::DepthLabelFontName.empty()) DisplaySettings::DepthLabelFontName = "Arial";
}
