#pragma once
// A colour picker holding a TColor: the sixteen standard colours by name and
// "Custom..." for any other through the colour dialog. Setting the colour by code
// signals nothing; colourChanged reports the user's choices only.

#include "platform/Colour.h"

#include <QComboBox>

namespace skerra {

class ColourPicker : public QComboBox {
    Q_OBJECT
public:
    explicit ColourPicker(QWidget* parent = nullptr);

    TColor colour() const { return colour_; }
    void setColour(TColor colour);

    // What a choice of the user does: takes the colour and signals it.
    void pick(TColor colour);

signals:
    void colourChanged(TColor colour);

private:
    void chosen(int index);
    void showColour();

    TColor colour_ = 0;
    int customIndex_ = -1;  // the item that shows a colour outside the standard ones
};

}  // namespace skerra
