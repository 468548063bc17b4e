#pragma once
// The "Vessel Geometry" window: the range rings around the vessel position and the
// heading arrow. The edits are the values: the map timer reads them through
// ShapeTexts() at every tick, so a change shows at once; "Save && Hide" keeps them in
// the settings file (section VESSEL_SHAPE), read once when the window is made.

#include "LastGoodNumber.h"
#include "SurveySettingsValues.h"
#include "platform/Form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFShape : public skerra::FormOf<TFShape> {
    Q_OBJECT
public:
    explicit TFShape(QWidget* parent = nullptr);

    // The values the map timer reads: each edit's text while it is a number of its
    // kind, else the last one that was.
    VesselShapeTexts ShapeTexts() const;

    QGroupBox* GroupBox1 = nullptr;  // "All in one pole"
    QLineEdit* edRadious = nullptr;
    QLineEdit* edInterval = nullptr;
    QLineEdit* edAmount = nullptr;
    QLineEdit* edLArrow = nullptr;
    QLineEdit* edBArrow = nullptr;
    QPushButton* bDefault = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* BitBtn1 = nullptr;  // "Save && Hide"

    void FormCreate();
    void BitBtn1Click();
    void bDefaultClick();

private:
    void CreateControls();
    QLineEdit* AddLengthEdit(const char* name, const char* label);
    void ShowTexts(const VesselShapeTexts& texts);

    // The last good value of each edit; reading the edits keeps them up to date.
    using Number = skerra::LastGoodNumber;
    mutable Number radius_{Number::Kind::Real, "10"};
    mutable Number interval_{Number::Kind::Real, "10"};
    mutable Number amount_{Number::Kind::WholeNumber, "2"};
    mutable Number sideArrow_{Number::Kind::Real, "10"};
    mutable Number bowArrow_{Number::Kind::Real, "100"};
};

extern TFShape* FShape;
