#include "TFGPS.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "platform/AppPaths.h"
#include "platform/DisplaySettings.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/ColourPicker.h"
#include "shell/ControlValues.h"
#include "shell/DisplayControls.h"
#include "shell/EditableList.h"
#include "shell/PortSettings.h"
#include "shell/SbesMessageTypes.h"
#include "shell/SerialPortNames.h"
#include "shell/SettingsSavedLog.h"
#include "shell/SharedHeader.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TFGPS* FGPS = nullptr;

using namespace skerra;

namespace {

constexpr int kClientWidth = 754;
constexpr int kClientHeight = 458;
constexpr int kMonitorLines = 100;

using ListMember = QComboBox* TFGPS::*;
constexpr ListMember kGpsLists[] = {&TFGPS::Port,     &TFGPS::BaudRate, &TFGPS::DataWidth, &TFGPS::StopBits,
                                    &TFGPS::Parity,   &TFGPS::Priority, &TFGPS::Delay,     &TFGPS::NMEALog,
                                    &TFGPS::LogTime,  &TFGPS::EnableDTR, &TFGPS::EnableRTS};
constexpr ListMember kSensorLists[] = {&TFGPS::SPort,    &TFGPS::SBaudRate, &TFGPS::SDataWidth, &TFGPS::SStopBits,
                                       &TFGPS::SParity,  &TFGPS::SPriority, &TFGPS::SDelay,     &TFGPS::SNMEALog,
                                       &TFGPS::SLogTime, &TFGPS::SEnableDTR, &TFGPS::SEnableRTS};

// One port list: name without prefix, label, items and design text.
struct PortList {
    const char* name;
    const char* label;
    QStringList (*items)();
    const char* design;
};
const PortList kPortLists[] = {
    {"Port", "Port No: ", nullptr, ""},  // no port until one is chosen
    {"BaudRate", "Baud Rate", baudRateItems, "9600"},
    {"DataWidth", "Data Width", dataWidthItems, "8"},
    {"StopBits", "Stop Bits", stopBitsItems, "1"},
    {"Parity", "Parity", parityItems, "None"},
    {"Priority", "Priority", priorityItems, "Normal"},
    {"Delay", "Delay", delayItems, "5"},
    {"NMEALog", "NMEA Log", trueFalseItems, "False"},
    {"LogTime", "Log Time", trueFalseItems, "False"},
    {"EnableDTR", "Enable DTR", trueFalseItems, "True"},
    {"EnableRTS", "Enable RTS", trueFalseItems, "True"},
};
constexpr int kPortSettingsRows = 7;  // Port No to Delay; the rest are optional settings

// The serial ports the system has; any other name (an older "COM3") can still be typed.
QStringList portItems() { return availableSerialPortNames(); }

PortTabTexts portTexts(const TFGPS& w, const ListMember (&lists)[11])
{
    QString t[11];
    for (int i = 0; i < 11; ++i) t[i] = (w.*lists[i])->currentText();
    return {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9], t[10]};
}

}  // namespace

template <class T>
T* TFGPS::Named(T* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    controls_[name] = control;
    return control;
}

TFGPS::TFGPS(QWidget* parent) : FormOf(FGPS, QStringLiteral("FGPS"), QStringLiteral("Settings"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    BuildWindow();
    ConnectHandlers();
    skerra::guarded(this, [this] { FormCreate(); });
}

// ---------------------------------------------------------------------------------
// Building the window

void TFGPS::BuildWindow()
{
    SettingTabs = Named(new QTabWidget(this), "SettingTabs");
    GPSTabSheet = Named(BuildGpsTab(), "GPSTabSheet");
    SensorTabSheet = Named(BuildSensorTab(), "SensorTabSheet");
    ParametersTabSheet = Named(BuildParametersTab(), "ParametersTabSheet");
    tGlobalSetting = Named(BuildGlobalTab(), "tGlobalSetting");
    TabSheet1 = Named(BuildMonitorTab(), "TabSheet1");
    SettingTabs->addTab(GPSTabSheet, tr("GPS Settings"));
    SettingTabs->addTab(SensorTabSheet, tr("Sensor (SBES) Settings"));
    SettingTabs->addTab(ParametersTabSheet, tr("Godetic Parameters"));
    SettingTabs->addTab(tGlobalSetting, tr("Global Setting"));
    SettingTabs->addTab(TabSheet1, tr("I/O Port Monitor"));

    LockStateCheck1 = Named(new QCheckBox(tr("SAVE && LOCK SETTINGS"), this), "LockStateCheck1");
    BitBtn2 = Named(new QPushButton(tr("Close"), this), "BitBtn2");

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(LockStateCheck1);
    bottom->addStretch();
    bottom->addWidget(BitBtn2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(SettingTabs, 1);
    main->addLayout(bottom);

    // Tab order: down each column, the tab's button last.
    auto chain = [](std::initializer_list<QWidget*> order) {
        for (auto it = order.begin(); it + 1 != order.end(); ++it) setTabOrder(*it, *(it + 1));
    };
    chain({Port, BaudRate, DataWidth, StopBits, Parity, Priority, Delay, NMEALog, LogTime, EnableDTR, EnableRTS,
           GyroEnabled, GPSSet});
    chain({SPort, SBaudRate, SDataWidth, SStopBits, SParity, SPriority, SDelay, SNMEALog, SLogTime, SEnableDTR,
           SEnableRTS, cSBESMessage, eSBESFormat, SensorEnabled, SensorSet});
    chain({cbGridVisible, cbAutoGrid, edGridSpacingX, edGridSpacingY, cbGridColor, eScreenshotInterval,
           cbShowDepthLabels, edDepthLabelSpacing, edDepthLabelFontName, edDepthLabelFontSize, cbTextColor,
           edEventLabelFontSize, cbEventLabelColor, edOverlayFontSize, cbOverlayDepthColor, cbOverlaySpeedColor});
    chain({LockStateCheck1, BitBtn2});

    const QSize hint = sizeHint();
    setFixedSize(std::max(kClientWidth, hint.width()), std::max(kClientHeight, hint.height()));
}

QWidget* TFGPS::BuildPortTab(const QString& groupTitle, const QString& prefix, QComboBox** lists[11], QPushButton* set,
                             QWidget* extra)
{
    auto* page = new QWidget;
    auto* portGroup = new QGroupBox(groupTitle, page);
    auto* optionGroup = new QGroupBox(tr("Optional Settings"), page);
    auto* portForm = new QFormLayout(portGroup);
    auto* optionForm = new QFormLayout(optionGroup);
    for (int i = 0; i < 11; ++i) {
        const PortList& spec = kPortLists[i];
        auto* list = new QComboBox(page);
        *lists[i] = Named(list, (prefix + QLatin1String(spec.name)).toLatin1().constData());
        setupEditableList(list, spec.items ? spec.items() : portItems(), QString::fromLatin1(spec.design));
        list->setMinimumContentsLength(i == 0 ? 16 : 10);
        (i < kPortSettingsRows ? portForm : optionForm)->addRow(tr(spec.label), list);
    }
    auto* right = new QVBoxLayout;
    right->addWidget(optionGroup);
    if (extra) right->addWidget(extra);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(set);
    right->addLayout(buttons);
    auto* left = new QVBoxLayout;
    left->addWidget(portGroup);
    left->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    return page;
}

QWidget* TFGPS::BuildGpsTab()
{
    GPSSet = Named(new QPushButton(tr("GPS Set")), "GPSSet");
    GyroEnabled = Named(new QCheckBox(tr("Enable Gyro")), "GyroEnabled");
    QComboBox** lists[11];
    for (int i = 0; i < 11; ++i) lists[i] = &(this->*kGpsLists[i]);
    return BuildPortTab(tr("GPS Port Settings"), QString(), lists, GPSSet, GyroEnabled);
}

QWidget* TFGPS::BuildSensorTab()
{
    SensorSet = Named(new QPushButton(tr("SBES Set")), "SensorSet");
    auto* extra = new QWidget;
    SensorEnabled = Named(new QCheckBox(tr("Sensor Enabled"), extra), "SensorEnabled");
    auto* messageGroup = new QGroupBox(tr("SBESMessage"), extra);
    cSBESMessage = Named(new QComboBox(messageGroup), "cSBESMessage");
    setupEditableList(cSBESMessage, sbesMessageTypeNames(), QStringLiteral("Halvek SMT"));
    eSBESFormat = Named(new QLineEdit(messageGroup), "eSBESFormat");
    auto* messageForm = new QFormLayout(messageGroup);
    messageForm->addRow(tr("Message"), cSBESMessage);
    messageForm->addRow(tr("Format"), eSBESFormat);
    auto* layout = new QVBoxLayout(extra);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(messageGroup);
    layout->addWidget(SensorEnabled);
    QComboBox** lists[11];
    for (int i = 0; i < 11; ++i) lists[i] = &(this->*kSensorLists[i]);
    return BuildPortTab(tr("NMEA Sensor Port Settings"), QStringLiteral("S"), lists, SensorSet, extra);
}

QWidget* TFGPS::BuildParametersTab()
{
    auto* page = new QWidget;
    // Wide enough for a whole parameter as the settings file keeps it (an ellipsoid's
    // flattening has some eighteen characters), however long the captions beside it.
    auto edit = [&](const char* name) {
        auto* field = Named(new QLineEdit(page), name);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0.0033528106647474")) + 16);
        return field;
    };
    auto box = [&](const char* name, const char* caption) { return Named(new QCheckBox(tr(caption), page), name); };

    auto* datum = new QGroupBox(tr("Datum"), page);
    auto* datumLayout = new QVBoxLayout(datum);
    auto* nameForm = new QFormLayout;
    nameForm->addRow(tr("Name of Datum"), edNameOfDatum = edit("edNameOfDatum"));
    datumLayout->addLayout(nameForm);
    auto* ellipsoid = new QGroupBox(tr("Ellipsoid"), datum);
    auto* ellipsoidForm = new QFormLayout(ellipsoid);
    ellipsoidForm->addRow(tr("Semi Major Axis"), edSMA = edit("edSMA"));
    ellipsoidForm->addRow(tr("Flattening"), edIF = edit("edIF"));
    datumLayout->addWidget(ellipsoid);
    auto* transformation = new QGroupBox(tr("Transformation Parameters from WGS-84"), datum);
    auto* transformationForm = new QFormLayout(transformation);
    transformationForm->addRow(tr("X Rotation"), edRX = edit("edRX"));
    transformationForm->addRow(tr("Y Rotation"), edRY = edit("edRY"));
    transformationForm->addRow(tr("Z Rotation"), edRZ = edit("edRZ"));
    transformationForm->addRow(tr("X Shift"), edSX = edit("edSX"));
    transformationForm->addRow(tr("Y Shift"), edSY = edit("edSY"));
    transformationForm->addRow(tr("Z Shift"), edSZ = edit("edSZ"));
    transformationForm->addRow(tr("Scale Factor"), edPPM = edit("edPPM"));
    transformationForm->addRow(cbUseDTP = box("cbUseDTP", "Use DTP"));
    cbUseDTP->setChecked(true);
    cbUseDTP->setEnabled(false);
    datumLayout->addWidget(transformation);
    datumLayout->addStretch();

    auto* tm = new QGroupBox(tr("TM Parameters"), page);
    auto* tmForm = new QFormLayout(tm);
    tmForm->addRow(tr("Central Meridian"), edCM = edit("edCM"));
    tmForm->addRow(tr("Reference Latitude"), edRL = edit("edRL"));
    tmForm->addRow(tr("Scale Factor"), edSF = edit("edSF"));
    tmForm->addRow(tr("False Easting"), edFE = edit("edFE"));
    tmForm->addRow(tr("False Northing"), edFN = edit("edFN"));
    tmForm->addRow(cbUseTMProjection = box("cbUseTMProjection", "Use Projection"));
    cbUseTMProjection->setChecked(true);

    auto* lcc = new QGroupBox(tr("LCC Parameters"), page);
    auto* lccForm = new QFormLayout(lcc);
    lccForm->addRow(tr("Standard Parallel 1"), eLCCSP1 = edit("eLCCSP1"));
    lccForm->addRow(tr("Standard Parallel 2"), eLCCSP2 = edit("eLCCSP2"));
    lccForm->addRow(tr("Central Parallel"), eLCCCP = edit("eLCCCP"));
    lccForm->addRow(tr("Central Meridian"), eLCCM = edit("eLCCM"));
    lccForm->addRow(tr("Scale Factor"), eLCCSF = edit("eLCCSF"));
    lccForm->addRow(tr("False Easting"), eLCCFE = edit("eLCCFE"));
    lccForm->addRow(tr("False Norhing"), eLCCFN = edit("eLCCFN"));
    lccForm->addRow(cbUseLCCProjection = box("cbUseLCCProjection", "Use Projection"));
    lccForm->addRow(cLambert1 = box("cLambert1", "Use Lambert 1"));

    auto* projections = new QVBoxLayout;
    projections->addWidget(tm);
    projections->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(datum, 1);
    layout->addLayout(projections, 1);
    layout->addWidget(lcc, 1, Qt::AlignTop);
    return page;
}

QWidget* TFGPS::BuildGlobalTab()
{
    auto* page = new QWidget;
    auto edit = [&](const char* name, const char* text) {
        auto* e = Named(new QLineEdit(QString::fromLatin1(text), page), name);
        e->setMaximumWidth(120);
        return e;
    };
    auto box = [&](const char* name, const char* caption, bool checked) {
        auto* b = Named(new QCheckBox(tr(caption), page), name);
        b->setChecked(checked);
        return b;
    };
    auto picker = [&](const char* name, TColor colour) {
        auto* p = Named(new ColourPicker(page), name);
        p->setColour(colour);
        return p;
    };

    auto* grid = new QGroupBox(tr("Grid Settings"), page);
    auto* gridForm = new QFormLayout(grid);
    gridForm->addRow(cbGridVisible = box("cbGridVisible", "Show Grid", true));
    gridForm->addRow(cbAutoGrid = box("cbAutoGrid", "Auto Scale", false));
    gridForm->addRow(tr("Grid Spacing X"), edGridSpacingX = edit("edGridSpacingX", "100"));
    gridForm->addRow(tr("Grid Spacing Y"), edGridSpacingY = edit("edGridSpacingY", "100"));
    gridForm->addRow(tr("Grid Color"), cbGridColor = picker("cbGridColor", colors::Silver));

    auto* depth = new QGroupBox(tr("Depth Labels"), page);
    auto* depthForm = new QFormLayout(depth);
    depthForm->addRow(cbShowDepthLabels = box("cbShowDepthLabels", "Show Depth Labels", true));
    depthForm->addRow(tr("Label Spacing (m)"), edDepthLabelSpacing = edit("edDepthLabelSpacing", "10"));
    depthForm->addRow(tr("Font Name"), edDepthLabelFontName = edit("edDepthLabelFontName", "Arial"));
    depthForm->addRow(tr("Font Size"), edDepthLabelFontSize = edit("edDepthLabelFontSize", "12"));
    depthForm->addRow(tr("Text Color"), cbTextColor = picker("cbTextColor", colors::Black));

    auto* events = new QGroupBox(tr("Event Labels"), page);
    auto* eventForm = new QFormLayout(events);
    eventForm->addRow(tr("Font Size"), edEventLabelFontSize = edit("edEventLabelFontSize", "24"));
    eventForm->addRow(tr("Text Color"), cbEventLabelColor = picker("cbEventLabelColor", colors::Red));

    auto* screenshot = new QGroupBox(tr("Screenshot"), page);
    auto* screenshotForm = new QFormLayout(screenshot);
    screenshotForm->addRow(tr("Inteval (second)"), eScreenshotInterval = edit("eScreenshotInterval", "60"));

    auto* overlay = new QGroupBox(tr("Depth/Speed Overlay"), page);
    auto* overlayForm = new QFormLayout(overlay);
    overlayForm->addRow(tr("Font Size"), edOverlayFontSize = edit("edOverlayFontSize", "40"));
    overlayForm->addRow(tr("Depth Color"), cbOverlayDepthColor = picker("cbOverlayDepthColor", colors::Navy));
    overlayForm->addRow(tr("Speed Color"), cbOverlaySpeedColor = picker("cbOverlaySpeedColor", colors::Black));

    auto* left = new QVBoxLayout;
    left->addWidget(grid);
    left->addWidget(screenshot);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(depth);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(events);
    right->addWidget(overlay);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(middle, 1);
    layout->addLayout(right, 1);
    return page;
}

QWidget* TFGPS::BuildMonitorTab()
{
    auto* page = new QWidget;
    auto memo = [&](const char* name, const char* firstLine) {
        auto* m = Named(new QPlainTextEdit(page), name);
        QPalette palette = m->palette();
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Text, QColor(0, 255, 0));
        m->setPalette(palette);
        QFont font = m->font();
        font.setBold(true);
        m->setFont(font);
        m->setPlainText(QString::fromLatin1(firstLine));
        m->viewport()->installEventFilter(this);
        return m;
    };
    MemoGPS = memo("MemoGPS", "NMEA POSITION DATA");
    MemoSensor = memo("MemoSensor", "NMEA SENSOR DATA");
    MemoSensor->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(MemoGPS, 1);
    layout->addWidget(MemoSensor, 1);
    return page;
}

void TFGPS::ConnectHandlers()
{
    auto onClick = [this](QCheckBox* box, void (TFGPS::*handler)()) {
        connect(box, &QCheckBox::toggled, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
    };
    auto onColour = [this](ColourPicker* picker, void (TFGPS::*handler)()) {
        connect(picker, &ColourPicker::colourChanged, this,
                [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
    };
    connect(GPSSet, &QPushButton::clicked, this, [this] { guarded(this, [&] { GPSSetApply(true); }); });
    connect(SensorSet, &QPushButton::clicked, this, [this] { guarded(this, [&] { SensorSetApply(true); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded(this, [&] { close(); }); });
    onListUserChange(cSBESMessage, this, [this] { cSBESMessageChange(); });
    onClick(cbUseTMProjection, &TFGPS::cbUseTMProjectionClick);
    onClick(cbUseLCCProjection, &TFGPS::cbUseLCCProjectionClick);
    onClick(cLambert1, &TFGPS::cLambert1Click);
    onClick(LockStateCheck1, &TFGPS::LockStateCheck1Click);
    onClick(cbGridVisible, &TFGPS::cbGridVisibleClick);
    onClick(cbAutoGrid, &TFGPS::cbAutoGridClick);
    onClick(cbShowDepthLabels, &TFGPS::cbShowDepthLabelsClick);
    onColour(cbGridColor, &TFGPS::cbGridColorChange);
    onColour(cbEventLabelColor, &TFGPS::cbEventLabelColorChange);
    onColour(cbOverlayDepthColor, &TFGPS::cbOverlayDepthColorChange);
    onColour(cbOverlaySpeedColor, &TFGPS::cbOverlaySpeedColorChange);
    for (QLineEdit* e : {edEventLabelFontSize, eScreenshotInterval})
        connect(e, &QLineEdit::textChanged, this, [this, e] { guarded(this, [&] { edEventLabelFontSizeChange(e); }); });
    connect(edOverlayFontSize, &QLineEdit::textChanged, this,
            [this] { guarded(this, [&] { edOverlayFontSizeChange(); }); });
    for (QPlainTextEdit* m : {MemoGPS, MemoSensor})
        connect(m, &QPlainTextEdit::textChanged, this, [this, m] { guarded(this, [&] { MemoChange(m); }); });
}

// ---------------------------------------------------------------------------------
// Creation, show and close

void TFGPS::FormCreate()
{
    if (DisplaySettings::DepthLabelFontName.empty()) DisplaySettings::DepthLabelFontName = "Arial";
    const IniFile ini(settingsFilePath());
    for (const SettingRow& row : settingsTable()) {
        switch (row.kind) {
        case SettingKind::LockOverride:
            LockStateCheck1->setText(tr("SAVE && LOCK SETTINGS"));
            if (const auto locked = parseLockOverride(std::get<QString>(readSetting(ini, row, QString()))))
                SetSettingsTabsEnabled(!*locked);
            break;
        case SettingKind::Seconds:
            // The display rows are all read: the record follows them.
            refreshDisplaySettings(Values());
            edGridSpacingX->setEnabled(!DisplaySettings::AutoGrid);
            edGridSpacingY->setEnabled(!DisplaySettings::AutoGrid);
            [[fallthrough]];
        default: {
            QWidget* control = controls_.at(row.control);
            setControlValue(control, readSetting(ini, row, controlValue(control)));
            break;
        }
        case SettingKind::Lock:
            if (canvas_) pushGrid(*canvas_);
            LockStateCheck1->setChecked(std::get<bool>(readSetting(ini, row, LockStateCheck1->isChecked())));
            break;
        }
    }
}

void TFGPS::FormShow()
{
    for (const ListMember m : {&TFGPS::Port, &TFGPS::SPort}) replaceListItems(this->*m, portItems());
    const IniFile ini(settingsFilePath());
    const bool locked = readLockOverride(ini).value_or(LockStateCheck1->isChecked());
    LockStateCheck1->setChecked(locked);
    // A save that failed has unchecked the box again: the box, not the file, decides.
    tGlobalSetting->setEnabled(!LockStateCheck1->isChecked());
    PushGrid();
}

void TFGPS::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (event->spontaneous()) return;
    guarded(this, [this] { FormShow(); });
}

void TFGPS::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    EchoSentences = true;  // a press whose release never came must not stop the monitor for good
}

void TFGPS::FormCloseQuery()
{
    MemoSensor->clear();
    MemoGPS->clear();
}

void TFGPS::closeEvent(QCloseEvent* event)
{
    guarded(this, [this] { FormCloseQuery(); });
    Form::closeEvent(event);
}

bool TFGPS::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MemoGPS->viewport() || watched == MemoSensor->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) EchoSentences = false;
        if (event->type() == QEvent::MouseButtonRelease) EchoSentences = true;
    }
    return Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------
// What others hand in and read

void TFGPS::SetDevices(THalvekSerialGPS* gnss, THalvekSerialGPS* sensor)
{
    gnss_ = gnss;
    sensor_ = sensor;
}

void TFGPS::SetCanvas(THalvekCanvasCore* canvas)
{
    canvas_ = canvas;
    PushGrid();  // what creation would have pushed, had the chart been known then
}

void TFGPS::SetScreenshotTimer(QTimer* timer) { screenshotTimer_ = timer; }

FormValues TFGPS::Values() const
{
    FormValues values;
    for (const SettingRow& row : settingsTable())
        if (*row.control) values[row.control] = controlValue(controls_.at(row.control));
    return values;
}

GridSettingsTexts TFGPS::GridTexts() const
{
    auto t = [](const QLineEdit* e) { return e->text().toStdString(); };
    GridSettingsTexts g;
    g.datumName = t(edNameOfDatum);
    g.useDatumTransformation = cbUseDTP->isChecked();
    g.useTransverseMercator = cbUseTMProjection->isChecked();
    g.semiMajorAxis = t(edSMA);
    g.flattening = t(edIF);
    g.scalePpm = t(edPPM);
    g.rotationX = t(edRX), g.rotationY = t(edRY), g.rotationZ = t(edRZ);
    g.shiftX = t(edSX), g.shiftY = t(edSY), g.shiftZ = t(edSZ);
    g.centralMeridian = t(edCM);
    g.referenceLatitude = t(edRL);
    g.scaleFactor = t(edSF);
    g.falseEasting = t(edFE);
    g.falseNorthing = t(edFN);
    g.useLambert = cbUseLCCProjection->isChecked();
    g.lambert1SP = cLambert1->isChecked();
    g.lccStandardParallel1 = t(eLCCSP1);
    g.lccStandardParallel2 = t(eLCCSP2);
    g.lccScaleFactor = t(eLCCSF);
    g.lccLatitudeOfOrigin = t(eLCCCP);
    g.lccCentralMeridian = t(eLCCM);
    g.lccFalseEasting = t(eLCCFE);
    g.lccFalseNorthing = t(eLCCFN);
    return g;
}

SensorSettingsValues TFGPS::SensorValues() const
{
    return {SensorEnabled->isChecked(), GyroEnabled->isChecked(), cSBESMessage->currentText().toStdString(),
            eSBESFormat->text().toStdString()};
}

// ---------------------------------------------------------------------------------
// Port tabs

bool TFGPS::GPSSetApply(bool userClicked)
{
    return PortSetApply(gnss_, portTexts(*this, kGpsLists), "GPS Set", " ZQB_GNSS_V3.log", userClicked, true);
}

bool TFGPS::SensorSetApply(bool userClicked)
{
    return PortSetApply(sensor_, portTexts(*this, kSensorLists), "SBES Set", " ZQB_SBES_V3.log", userClicked,
                        userClicked || SensorEnabled->isChecked());
}

bool TFGPS::PortSetApply(THalvekSerialGPS* device, const PortTabTexts& texts, const char* button,
                         const char* logSuffix, bool userClicked, bool report)
{
    if (!device) return false;
    const PortSetResult result = convertPortTab(texts, portFieldsOf(*device), {{}, logSuffix});
    applyPortFields(*device, result.fields);
    QStringList lines;
    for (const QString& failure : result.failures) lines << QLatin1String(button) + QLatin1String(" - ") + failure;
    if (report) ReportPortSet(lines, userClicked);
    return lines.isEmpty();
}

QStringList TFGPS::PortSetAtStart(bool gnss)
{
    THalvekSerialGPS* device = gnss ? gnss_ : sensor_;
    if (!device) return {};
    const PortTabTexts texts = portTexts(*this, gnss ? kGpsLists : kSensorLists);
    const PortSetResult result =
        convertPortTab(texts, portFieldsOf(*device), {{}, gnss ? " ZQB_GNSS_V3.log" : " ZQB_SBES_V3.log"});
    applyPortFields(*device, result.fields);
    return result.unsetRows;
}

void TFGPS::ReportPortSet(const QStringList& lines, bool userClicked)
{
    if (lines.isEmpty()) return;
    const std::string log = TodaysEventLogPath();
    for (const QString& line : lines) {
        AppendAutoEvent(line.toStdString(), log);
        emit StatusLineRequested(line, true);
    }
    if (userClicked) showWarning(lines.join(QLatin1Char('\n')), this);
}

void TFGPS::cSBESMessageChange()
{
    const auto type = sbesMessageType(cSBESMessage->currentText());
    if (!type) return;
    eSBESFormat->setText(QString::fromLatin1(type->format));
    cSBESMessageStartup();
}

void TFGPS::cSBESMessageStartup()
{
    const auto type = sbesMessageType(cSBESMessage->currentText());
    if (!type || type->frame == LowFrequencyFrame::Unchanged) return;
    emit LowFrequencyDepthRequested(type->frame == LowFrequencyFrame::Shown);
}

void TFGPS::cbUseTMProjectionClick() { cbUseLCCProjection->setChecked(!cbUseTMProjection->isChecked()); }

void TFGPS::cbUseLCCProjectionClick() { cbUseTMProjection->setChecked(!cbUseLCCProjection->isChecked()); }

void TFGPS::cLambert1Click()
{
    eLCCSP1->setEnabled(!cLambert1->isChecked());
    eLCCSP2->setEnabled(!cLambert1->isChecked());
}

// ---------------------------------------------------------------------------------
// Monitor

void TFGPS::AddGpsMonitorLine(const QString& line) { AddMonitorLine(MemoGPS, line); }

void TFGPS::AddSensorMonitorLine(const QString& line) { AddMonitorLine(MemoSensor, line); }

void TFGPS::AddMonitorLine(QPlainTextEdit* memo, const QString& line)
{
    if (memo->document()->isEmpty()) memo->setPlainText(line);
    else memo->appendPlainText(line);
}

void TFGPS::MemoChange(QPlainTextEdit* memo)
{
    if (memo->document()->blockCount() > kMonitorLines) memo->clear();
}

// ---------------------------------------------------------------------------------
// Saving and locking

void TFGPS::SetSettingsTabsEnabled(bool enabled)
{
    for (QWidget* tab : {GPSTabSheet, SensorTabSheet, ParametersTabSheet, tGlobalSetting}) tab->setEnabled(enabled);
}

void TFGPS::PushGrid()
{
    if (canvas_) pushGrid(*canvas_);
}

void TFGPS::InvalidateCanvas()
{
    if (canvas_) canvas_->Update();
}

void TFGPS::LockStateCheck1Click()
{
    IniFile ini(settingsFilePath());
    if (!LockStateCheck1->isChecked()) {
        // Unlocking always frees the tabs; a file that cannot take the state is reported.
        SetSettingsTabsEnabled(true);
        writeUnlocked(ini);
        return;
    }
    const FormValues values = Values();
    try {
        writeLockedSettings(ini, values);
    } catch (const IniWriteError& e) {
        const QSignalBlocker block(LockStateCheck1);
        LockStateCheck1->setChecked(false);
        showError(QString::fromUtf8(e.what()), this);
        return;
    }
    logSettingsSaved(values);
    refreshDisplaySettings(values);
    PushGrid();
    InvalidateCanvas();
    SetSettingsTabsEnabled(false);
}

// ---------------------------------------------------------------------------------
// Display settings that apply at once

void TFGPS::cbGridVisibleClick()
{
    if (!canvas_) return;
    canvas_->GridVisible = cbGridVisible->isChecked();
    canvas_->GridColor = cbGridColor->colour();
    DisplaySettings::GridVisible = cbGridVisible->isChecked();
    canvas_->Update();
}

void TFGPS::cbGridColorChange()
{
    if (!canvas_) return;
    canvas_->GridColor = DisplaySettings::GridColor = cbGridColor->colour();
    canvas_->Update();
}

void TFGPS::cbAutoGridClick()
{
    const bool automatic = cbAutoGrid->isChecked();
    DisplaySettings::AutoGrid = automatic;
    edGridSpacingX->setEnabled(!automatic);
    edGridSpacingY->setEnabled(!automatic);
    if (!canvas_) return;
    canvas_->GridSpacingX = automatic ? 0.0 : gridSpacingOf(edGridSpacingX->text());
    canvas_->GridSpacingY = automatic ? 0.0 : gridSpacingOf(edGridSpacingY->text());
    canvas_->Update();
}

void TFGPS::cbShowDepthLabelsClick() { DisplaySettings::ShowDepthLabels = cbShowDepthLabels->isChecked(); }

void TFGPS::edEventLabelFontSizeChange(QObject* sender)
{
    DisplaySettings::EventLabelFontSize = eventLabelFontSizeOf(edEventLabelFontSize->text());
    InvalidateCanvas();
    if (sender != eScreenshotInterval || !screenshotTimer_) return;
    const ScreenshotTimerSetting s = screenshotTimerSetting(eScreenshotInterval->text());
    screenshotTimer_->setInterval(s.intervalMs);
    if (!s.run) screenshotTimer_->stop();
    else if (!screenshotTimer_->isActive()) screenshotTimer_->start();
}

void TFGPS::cbEventLabelColorChange()
{
    DisplaySettings::EventLabelTextColor = cbEventLabelColor->colour();
    InvalidateCanvas();
}

void TFGPS::edOverlayFontSizeChange()
{
    DisplaySettings::OverlayFontSize = overlayFontSizeOf(edOverlayFontSize->text());
    InvalidateCanvas();
}

void TFGPS::cbOverlayDepthColorChange()
{
    DisplaySettings::OverlayDepthColor = cbOverlayDepthColor->colour();
    InvalidateCanvas();
}

void TFGPS::cbOverlaySpeedColorChange()
{
    DisplaySettings::OverlaySpeedColor = cbOverlaySpeedColor->colour();
    InvalidateCanvas();
}
