#include "TOffsets.h"

#include "FormPlacement.h"
#include "OffsetsCheck.h"
#include "OffsetsEntries.h"
#include "OffsetsReport.h"
#include "OffsetsSketch.h"
#include "SharedHeader.h"
#include "THalvekTranslation.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TOffsets* Offsets = nullptr;

namespace {

// The designed client size; larger fonts may widen it so no label is clipped.
constexpr QSize kClientSize(489, 185);
constexpr int kTallHeight = 410;

bool englishMessages() { return Translation == nullptr || Translation->IsEnglish(); }

QString message(const char* english, const char* turkish)
{
    return EnglishOrTurkish(QString::fromUtf8(english), QString::fromUtf8(turkish));
}

std::string text(const QLineEdit* edit) { return edit->text().toStdString(); }

QLineEdit* makeEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Raises a flag for the lifetime of the scope.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
private:
    bool& flag_;
};

void skipNull(const std::function<void()>& hook)
{
    if (hook) hook();
}

// The four values of the survey loop among the entries.
SurveyOffsetsTexts surveyOffsetsOf(const OffsetsEntries& e)
{
    return {e.offsetA, e.soundVelocity, e.offsetC, e.tideHeight};
}

}  // namespace

TOffsets::TOffsets(QWidget* parent)
    : FormOf(Offsets, QStringLiteral("Offsets"), QStringLiteral("Offsets Essential for Post Processing / Recovery"),
             parent)
{
    setDefaultPlace(skerra::DefaultPlace::ChartUpperRight);
    skerra::guarded(this, [this] { FormCreate(); });
}

void TOffsets::FormCreate()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    CreateControls();
    ConnectHandlers();
    setFixedSize(kClientSize.expandedTo(minimumSizeHint()));
    Timer1Timer();
    Timer1->start();
}

void TOffsets::CreateControls()
{
    pSketch = new QFrame(this);
    pSketch->setObjectName(QStringLiteral("pSketch"));
    pSketch->setFrameShape(QFrame::StyledPanel);
    Image1 = new OffsetsSketch(pSketch);
    Image1->setObjectName(QStringLiteral("Image1"));
    auto* sketchLayout = new QVBoxLayout(pSketch);
    sketchLayout->setContentsMargins(1, 1, 1, 1);
    sketchLayout->addWidget(Image1);

    OffsetA = makeEdit(this, "OffsetA");
    OffsetB = makeEdit(this, "OffsetB");
    OffsetC = makeEdit(this, "OffsetC");
    SV = makeEdit(this, "SV");
    TideHt = makeEdit(this, "TideHt");
    Location = makeEdit(this, "Location");
    SurveyBoat = makeEdit(this, "SurveyBoat");
    Surveyor = makeEdit(this, "Surveyor");
    Label7 = makeLabel(this, "Label7", kTimeCaption);
    time = makeLabel(this, "time", "");
    bSVP = makeButton(this, "bSVP", "Sound Velocity Profile");
    bNTRIPShow = makeButton(this, "bNTRIPShow", "NTRIP Client");
    BitBtn1 = makeButton(this, "BitBtn1", "Realtime");
    BitBtn3 = makeButton(this, "BitBtn3", "Cancel");
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->addWidget(pSketch, 0, 0, 5, 1, Qt::AlignTop);
    const struct { QLineEdit* edit; const char* name; const char* caption; const char* unitName; const char* unit; }
        numbers[] = {
            {OffsetA, "LabelA", "A", "LabelAUnit", "m"},
            {OffsetB, "LabelB", "B", "LabelBUnit", "m"},
            {OffsetC, "LabelC", "C", "LabelCUnit", "m"},
            {SV, "LabelSV", "SV", "LabelSVUnit", "m/s"},
            {TideHt, "LabelTideHt", "Tide Ht", "LabelTideHtUnit", "m"},
        };
    int row = 0;
    for (const auto& n : numbers) {
        grid->addWidget(makeLabel(this, n.name, n.caption), row, 1, Qt::AlignRight);
        n.edit->setMaximumWidth(70);
        grid->addWidget(n.edit, row, 2);
        grid->addWidget(makeLabel(this, n.unitName, n.unit), row, 3);
        ++row;
    }
    const struct { QLineEdit* edit; const char* name; const char* caption; } names[] = {
        {Location, "LabelLocation", "Location"},
        {SurveyBoat, "LabelSurveyBoat", "Vessel"},
        {Surveyor, "LabelSurveyor", "Surveyor"},
    };
    row = 0;
    for (const auto& n : names) {
        grid->addWidget(makeLabel(this, n.name, n.caption), row, 5, Qt::AlignRight);
        grid->addWidget(n.edit, row, 6);
        ++row;
    }
    grid->addWidget(Label7, 3, 5, 1, 2, Qt::AlignBottom);
    grid->addWidget(time, 4, 5, 1, 2);
    grid->setColumnMinimumWidth(4, 8);
    grid->setColumnStretch(6, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(bSVP);
    buttons->addWidget(bNTRIPShow);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn3);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);
    outer->addLayout(grid);
    outer->addStretch(1);
    outer->addLayout(buttons);

    QWidget* order[] = {OffsetA, OffsetB, OffsetC, SV, TideHt, Location, SurveyBoat,
                        Surveyor, BitBtn1, BitBtn3, bSVP, bNTRIPShow};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TOffsets::ConnectHandlers()
{
    const auto on = [this](QPushButton* button, void (TOffsets::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    on(BitBtn1, &TOffsets::BitBtn1Click);
    on(BitBtn3, &TOffsets::BitBtn3Click);
    on(bSVP, &TOffsets::bSVPClick);
    on(bNTRIPShow, &TOffsets::bNTRIPShowClick);
    connect(Timer1, &QTimer::timeout, this, [this] { skerra::guarded(this, [&] { Timer1Timer(); }); });
    for (QLineEdit* edit : {OffsetA, OffsetB, OffsetC, SV, TideHt, Location, SurveyBoat, Surveyor})
        edit->installEventFilter(this);
}

void TOffsets::SetKeyboardHooks(std::function<void(QWidget*)> showKeypad, std::function<void(QWidget*)> showKeyboard)
{
    showKeypad_ = std::move(showKeypad);
    showKeyboard_ = std::move(showKeyboard);
}

void TOffsets::NumericEditClick(QObject* sender)
{
    if (auto* control = qobject_cast<QWidget*>(sender); control && showKeypad_) showKeypad_(control);
}

void TOffsets::TextEditClick(QObject* sender)
{
    if (auto* control = qobject_cast<QWidget*>(sender); control && showKeyboard_) showKeyboard_(control);
}

void TOffsets::SetSurveyHooks(std::function<bool()> surveyRunning, std::function<void()> startSurvey,
                              std::function<void()> saveLayout)
{
    surveyRunning_ = std::move(surveyRunning);
    startSurvey_ = std::move(startSurvey);
    saveLayout_ = std::move(saveLayout);
}

void TOffsets::SetWindowHooks(std::function<void()> showSoundVelocity, std::function<void()> showNtripDialog,
                              std::function<bool()> soundVelocityProfileUsed)
{
    showSoundVelocity_ = std::move(showSoundVelocity);
    showNtripDialog_ = std::move(showNtripDialog);
    profileUsed_ = std::move(soundVelocityProfileUsed);
}

OffsetsEntries TOffsets::Entries() const
{
    return {text(OffsetA), text(OffsetB), text(OffsetC), text(SV), text(TideHt),
            text(Location), text(SurveyBoat), text(Surveyor)};
}

void TOffsets::ShowEntries(const OffsetsEntries& e)
{
    const std::pair<QLineEdit*, const std::string*> pairs[] = {
        {OffsetA, &e.offsetA}, {OffsetB, &e.offsetB},   {OffsetC, &e.offsetC},       {SV, &e.soundVelocity},
        {TideHt, &e.tideHeight}, {Location, &e.location}, {SurveyBoat, &e.surveyBoat}, {Surveyor, &e.surveyor},
    };
    for (const auto& [edit, value] : pairs) edit->setText(QString::fromStdString(*value));
}

// The stored values are those of the last confirmation. An unreadable settings file
// leaves the edits and the confirmed values as they are.
void TOffsets::RestoreStoredEntries()
{
    try {
        const OffsetsEntries stored = ReadStoredOffsets(skerra::IniFile(skerra::settingsFilePath()));
        ShowEntries(stored);
        confirmedOffsets_ = surveyOffsetsOf(stored);
    } catch (...) {
    }
}

QLineEdit* TOffsets::EditFor(OffsetsField field) const
{
    switch (field) {
    case OffsetsField::OffsetA: return OffsetA;
    case OffsetsField::OffsetB: return OffsetB;
    case OffsetsField::OffsetC: return OffsetC;
    case OffsetsField::SV: return SV;
    case OffsetsField::TideHt: return TideHt;
    case OffsetsField::Location: return Location;
    case OffsetsField::SurveyBoat: return SurveyBoat;
    case OffsetsField::Surveyor: return Surveyor;
    }
    return OffsetA;
}

void TOffsets::FormShow()
{
    RestoreStoredEntries();
    LoadFormPlacement(this, false);
}

void TOffsets::BitBtn1Click()
{
    if (busy_) return;
    const BusyScope busy(busy_);
    Confirm();
}

// The confirmation, step by step. A failing check shows its message, puts the focus
// on the edit at fault and ends it; the layout save and the folders stay done.
void TOffsets::Confirm()
{
    skipNull(saveLayout_);
    const std::string timeText = time->text().toStdString();
    if (TimeTextHasSeparators(timeText)) skerra::showWarning(message(kTimeFormatEnglish, kTimeFormatTurkish), this);
    CreateDataFolders();

    const OffsetsEntries entries = Entries();
    if (const auto fault = CheckOffsets(entries)) {
        skerra::showWarning(message(fault->english, fault->turkish), this);
        EditFor(fault->focus)->setFocus();
        return;
    }

    const OffsetsReportValues report{timeText,        entries.location, entries.surveyBoat,
                                     entries.offsetA, entries.offsetB,  entries.offsetC,
                                     entries.soundVelocity, entries.tideHeight, entries.surveyor,
                                     profileUsed_ && profileUsed_()};
    const std::string path = OffsetsReportPath();
    if (!AppendOffsetsReport(path, OffsetsReportBlock(report, englishMessages()))) {
        skerra::showError(message("Cannot write the offsets report %1", "Ofset raporu yazılamıyor: %1")
                              .arg(QString::fromStdString(path)),
                          this);
        return;
    }

    skerra::IniFile ini(skerra::settingsFilePath());
    StoreOffsets(ini, entries, timeText);
    confirmedOffsets_ = surveyOffsetsOf(entries);

    // Start the survey only when it is not running; a running survey is left alone.
    if (startSurvey_ && !(surveyRunning_ && surveyRunning_())) startSurvey_();

    SaveFormPlacement(this);
    confirmed_ = true;
    close();
    confirmed_ = false;
}

void TOffsets::BitBtn3Click()
{
    SaveFormPlacement(this);
    close();
}

// Every close puts the stored placement back; unless it follows a confirmation it
// also puts the stored values back into the edits, so the survey loop never reads
// values that were typed but not confirmed.
void TOffsets::FormCloseQuery()
{
    LoadFormPlacement(this, false);
    if (!confirmed_) RestoreStoredEntries();
}

void TOffsets::FormDblClick() { setFixedSize(width(), kTallHeight); }

void TOffsets::Timer1Timer() { time->setText(QString::fromStdString(DateTimeText(skerra::currentDateTime()))); }

void TOffsets::bSVPClick() { skipNull(showSoundVelocity_); }

void TOffsets::bNTRIPShowClick() { skipNull(showNtripDialog_); }

void TOffsets::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { FormShow(); });
}

void TOffsets::closeEvent(QCloseEvent* event)
{
    skerra::guarded(this, [this] { FormCloseQuery(); });
    event->accept();
}

void TOffsets::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn3->click();
        return;
    }
    Form::keyPressEvent(event);
}

void TOffsets::mouseDoubleClickEvent(QMouseEvent* event)
{
    skerra::guarded(this, [this] { FormDblClick(); });
    Form::mouseDoubleClickEvent(event);
}

// The numeric edits check their text when the focus really moves on (a tab, a click,
// a shortcut), not when the window loses activation or a popup opens. The check runs
// after the focus change is complete, and never while a message box of this window
// is open.
bool TOffsets::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool numeric = watched == OffsetA || watched == OffsetB || watched == OffsetC || watched == SV ||
                             watched == TideHt;
        skerra::guarded(this, [&] { numeric ? NumericEditClick(watched) : TextEditClick(watched); });
        return Form::eventFilter(watched, event);
    }
    const bool numericEdit = watched != Location && watched != SurveyBoat && watched != Surveyor;
    if (event->type() == QEvent::FocusOut && !busy_ && numericEdit) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            auto* edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, this, [this, edit] { skerra::guarded(this, [&] { CheckNumberOnExit(edit); }); });
        }
    }
    return Form::eventFilter(watched, event);
}

void TOffsets::CheckNumberOnExit(QLineEdit* edit)
{
    if (busy_ || !isVisible()) return;
    const std::string value = text(edit);
    if (skerra::tryParseDouble(value)) return;
    const BusyScope busy(busy_);
    try {
        skerra::StrToFloat(value);
    } catch (const skerra::ConvertError& e) {
        skerra::showError(QString::fromStdString(e.what()), this);
    }
    edit->setFocus(Qt::OtherFocusReason);
}
