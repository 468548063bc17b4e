#include "TFNav.h"

#include "TfJoystick.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "shell/DisplaySettings.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"
#include "shell/StartupSettings.h"
#include "shell/TOffsets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>

TFNav* FNav = nullptr;

TFNav::TFNav(QWidget* parent) : FormOf(FNav, QStringLiteral("FNav"), QStringLiteral("Skerra"), parent)
{
    resize(1024, 700);
    skerra::guarded(this, [this] { FormCreate(); });
}

void TFNav::FormCreate()
{
    // The day's folders, each with all missing parents, and the media folders.
    for (const std::string& folder : {DayFolder, LayoutFolder, LogFolder, XyzFolder, SvpFolder})
        QDir().mkpath(QString::fromStdString(folder));
    QDir().mkpath(QString::fromStdString(DayFolder) + "JPG");
    QDir().mkpath(QString::fromStdString(DayFolder) + "MP4");

    DisplaySettings::OverlayFontSize = skerra::readOverlayFontSize(skerra::IniFile(skerra::settingsFilePath()));
}

void TFNav::FormShow()
{
    LoadFormPlacement(this, true);
    if (Offsets) Offsets->show();
    if (fJoystick) fJoystick->show();
}

void TFNav::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (shown_) return;
    shown_ = true;
    skerra::guarded(this, [this] { FormShow(); });
}

void TFNav::closeEvent(QCloseEvent* event)
{
    skerra::guarded(this, [this] { SaveFormPlacement(this); });
    event->accept();
    // Closing the main window ends the program, whatever tool windows are open.
    QCoreApplication::quit();
}
