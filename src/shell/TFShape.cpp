#include "TFShape.h"

#include "NumberEdits.h"
#include "VesselShapeSettings.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFShape* FShape = nullptr;

namespace {

constexpr QSize kClientSize(156, 340);

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TFShape::TFShape(QWidget* parent) : FormOf(FShape, QStringLiteral("FShape"), QStringLiteral("Vessel Geometry"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    // A title bar without buttons: "Save && Hide" is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    CreateControls();
    setFixedSize(kClientSize.expandedTo(minimumSizeHint()));
    skerra::guarded(this, [this] { FormCreate(); });
}

QLineEdit* TFShape::AddLengthEdit(const char* name, const char* label)
{
    auto* caption = new QLabel(QString::fromLatin1(label), GroupBox1);
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    auto* edit = new QLineEdit(GroupBox1);
    edit->setObjectName(QString::fromLatin1(name));
    caption->setBuddy(edit);
    GroupBox1->layout()->addWidget(caption);
    GroupBox1->layout()->addWidget(edit);
    return edit;
}

void TFShape::CreateControls()
{
    GroupBox1 = new QGroupBox(QStringLiteral("All in one pole"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* group = new QVBoxLayout(GroupBox1);
    group->setSpacing(2);
    edRadious = AddLengthEdit("edRadious", "Radious of first circle");
    edInterval = AddLengthEdit("edInterval", "Offset to next circle");
    edAmount = AddLengthEdit("edAmount", "Total number of circles");
    edLArrow = AddLengthEdit("edLArrow", "Arrow's sideward length");
    edBArrow = AddLengthEdit("edBArrow", "Arrow's longitudal length");
    for (QLineEdit* edit : {edRadious, edInterval, edLArrow, edBArrow}) skerra::acceptPositiveReal(edit);
    skerra::acceptWholeNumberUpTo(edAmount, kMaxRangeRings);
    ShowTexts(skerra::defaultVesselShapeTexts());

    bDefault = makeButton(this, "bDefault", "Default");
    Label6 = new QLabel(QStringLiteral("Changes requires restart of program."), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setWordWrap(true);
    BitBtn1 = makeButton(this, "BitBtn1", "Save && Hide");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(GroupBox1);
    layout->addWidget(bDefault);
    layout->addWidget(Label6);
    layout->addWidget(BitBtn1);
    layout->addStretch(1);

    connect(bDefault, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { bDefaultClick(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { BitBtn1Click(); }); });
}

void TFShape::ShowTexts(const VesselShapeTexts& t)
{
    edAmount->setText(QString::fromStdString(t.ringCount));
    edInterval->setText(QString::fromStdString(t.ringInterval));
    edRadious->setText(QString::fromStdString(t.firstRingRadius));
    edBArrow->setText(QString::fromStdString(t.bowArrow));
    edLArrow->setText(QString::fromStdString(t.sideArrow));
}

VesselShapeTexts TFShape::ShapeTexts() const
{
    VesselShapeTexts t;
    t.ringCount = amount_.take(edAmount->text());
    t.ringInterval = interval_.take(edInterval->text());
    t.firstRingRadius = radius_.take(edRadious->text());
    t.bowArrow = bowArrow_.take(edBArrow->text());
    t.sideArrow = sideArrow_.take(edLArrow->text());
    return t;
}

void TFShape::FormCreate()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    ShowTexts(skerra::readVesselShape(ini));
}

void TFShape::BitBtn1Click()
{
    VesselShapeTexts t;
    t.ringCount = edAmount->text().toStdString();
    t.ringInterval = edInterval->text().toStdString();
    t.firstRingRadius = edRadious->text().toStdString();
    t.bowArrow = edBArrow->text().toStdString();
    t.sideArrow = edLArrow->text().toStdString();
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        skerra::writeVesselShape(ini, t);
    }
    hide();
}

void TFShape::bDefaultClick() { ShowTexts(skerra::defaultVesselShapeTexts()); }
