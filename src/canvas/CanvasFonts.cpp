// THalvekCanvasModel: the font table that text shapes refer to by index.

#include "canvas/THalvekCanvasModel.h"

int THalvekCanvasModel::FontOpen(const QString& description, int)
{
    fonts_.push_back(parseFontText(description));
    return static_cast<int>(fonts_.size()) - 1;
}

void THalvekCanvasModel::CadFontBehaviorReset()
{
    defaultTextAlign_ = 0;
    defaultTextJustify_ = 0;
}
