// The chart control's DXF members: they hand the chart to the DXF import and
// export of the chart files.

#include "canvas/widget/THalvekCanvas.h"
#include "chartfiles/DxfLoad.h"
#include "chartfiles/DxfSave.h"

bool THalvekCanvas::DXFLoad(const QString& fileName)
{
    const bool loaded = ::DXFLoad(*this, fileName);
    Invalidate();
    return loaded;
}

bool THalvekCanvas::DXFLoadReplace(const QString& fileName)
{
    const bool loaded = ::DXFLoadReplace(*this, fileName);
    Invalidate();
    return loaded;
}

int THalvekCanvas::DXFSave(const QString& fileName, const std::vector<int>& leftOutLayers, QString* reason) const
{
    return ::DXFSave(*this, fileName, leftOutLayers, reason);
}

int THalvekCanvas::GetOrCreateDXFLayer(const std::string& dxfLayerName) const
{
    return ::GetOrCreateDXFLayer(*this, dxfLayerName);
}
