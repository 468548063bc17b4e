#include "TFNav.h"

#include "ChartViewSettings.h"
#include "LastFileFolder.h"
#include "NavLayers.h"
#include "ScreenshotNames.h"
#include "ScreenshotTaker.h"
#include "NavSurveySettings.h"
#include "NavSurveyView.h"
#include "shell/DisplayControls.h"
#include "TfJoystick.h"
#include "TfRealtime.h"
#include "ToolIcons.h"
#include "TfRunline1.h"
#include "TfWaterfal.h"
#include "canvas/widget/THalvekCanvas.h"
#include "devices/SerialCorrectionSink.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "navigation/survey/SerialSurveyDevices.h"
#include "navigation/survey/SurveyClock.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/ReadableText.h"
#include "platform/StyleRegistry.h"
#include "platform/AboveToolWindows.h"
#include "platform/AppPaths.h"
#include "platform/Colour.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/DisplaySettings.h"
#include "platform/MessageBox.h"
#include "platform/ModalAbove.h"
#include "platform/ProgramRestart.h"
#include "platform/ScreenPlacement.h"
#include "shell/FormPlacement.h"
#include "shell/SharedHeader.h"
#include "shell/StartupSettings.h"
#include "shell/TFGPS.h"
#include "shell/TFShape.h"
#include "shell/THalvekTranslation.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfLatency.h"
#include "shell/TfTheme.h"
#include "shell/TformAbout.h"
#include "soundvelocity/TfSVP.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

TFNav* FNav = nullptr;

namespace {

// The name of a tool command's icon, kept for drawing it anew in another style.
constexpr const char* kToolIconProperty = "toolIcon";

QString latin1Text(const char* text) { return QString::fromLatin1(text); }

QString translated(const char* english)
{
    return Translation ? Translation->Translate(latin1Text(english)) : latin1Text(english);
}

void showWindow(QWidget* window)
{
    if (window) skerra::showAboveToolWindows(window);
}

constexpr int StatusPanelWidth = 100;
constexpr int StatusTextPadding = 20;
constexpr int ShapeBarWidth = 24;

}  // namespace

TFNav::TFNav(QWidget* parent) : FormOf(FNav, QStringLiteral("FNav"), QStringLiteral("Skerra"), parent)
{
    resize(1024, 700);
    BuildForm();
    skerra::setPlacementAnchorSource([this] { return ScreenAnchors(); });
    skerra::guarded(this, [this] { FormCreate(); });
}

TFNav::~TFNav()
{
    skerra::setPlacementAnchorSource({});
    FreeNumericKeypad();
    FreeSimpleKeyboard();
    // The NTRIP window may outlive this window; it must not relay into a freed sink.
    if (frmNTRIPSettings && gpsCorrectionSink_) frmNTRIPSettings->SetGPSPort(nullptr, QString());
    // The chart is destroyed after this window's members: it must not read a freed status source.
    if (fcad) fcad->SetStatusSource(nullptr);
}

// ---- The form: menus, tool bars, chart panel, status bar, timers ----

void TFNav::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    layout->setMenuBar(MainMenu1);
    BuildMenus();

    tRealtime = NewToolBar("tRealtime");
    BuildRealtimeToolBar();
    layout->addWidget(tRealtime);

    tDraw = NewToolBar("tDraw");
    BuildDrawToolBar();
    layout->addWidget(tDraw);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    layout->addLayout(row, 1);
    tShape = NewToolBar("tShape");
    BuildShapeToolBar();
    row->addWidget(tShape);
    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto* chartLayout = new QVBoxLayout(Panel4);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Panel4, 1);

    pRealtime = new QWidget(this);
    pRealtime->setObjectName(QStringLiteral("pRealtime"));
    BuildStatusBar();
    layout->addWidget(pRealtime);

    BuildTimers();
}

QToolBar* TFNav::NewToolBar(const char* name)
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(latin1Text(name));
    bar->setMovable(false);  // the bars have fixed places in the window
    return bar;
}

QAction* TFNav::MakeCommand(const char* name, const QString& caption, Command handler)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(latin1Text(name));
    // A command whose work is not in the program yet stays visible but greyed.
    action->setEnabled(handler != nullptr);
    if (handler)
        connect(action, &QAction::triggered, this,
                [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    return action;
}

QAction* TFNav::AddMenuCommand(QMenu* menu, const char* name, const QString& caption, Command handler,
                               const QKeySequence& shortcut)
{
    QAction* action = MakeCommand(name, caption, handler);
    action->setShortcut(shortcut);
    menu->addAction(action);
    // The window carries the shortcut as well: it works while the compact layout hides
    // the menu bar. One action behind both, so a key runs its command once.
    if (!shortcut.isEmpty()) addAction(action);
    return action;
}

QAction* TFNav::AddToolCommand(QToolBar* bar, const char* name, const QString& caption, const char* icon,
                               Command handler)
{
    QAction* action = MakeCommand(name, caption, handler);
    action->setProperty(kToolIconProperty, latin1Text(icon));
    action->setIcon(toolIcon(latin1Text(icon), bar->palette().color(QPalette::Window)));
    action->setToolTip(caption);
    bar->addAction(action);
    return action;
}

void TFNav::BuildMenus()
{
    const QKeySequence none;
    QMenu* file = MainMenu1->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    AddMenuCommand(file, "New1", QStringLiteral("New"), &TFNav::New1Click, QKeySequence(QStringLiteral("Ctrl+N")));
    AddMenuCommand(file, "Open1", QStringLiteral("Open..."), &TFNav::Open1Click, QKeySequence(QStringLiteral("Ctrl+O")));
    AddMenuCommand(file, "Save1", QStringLiteral("Save"), &TFNav::Save1Click, QKeySequence(QStringLiteral("Ctrl+S")));
    AddMenuCommand(file, "SaveAs1", QStringLiteral("Save As..."), &TFNav::SaveAs1Click,
                   QKeySequence(QStringLiteral("Ctrl+W")));
    file->addSeparator();
    AddMenuCommand(file, "Import1", QStringLiteral("Import..."), &TFNav::Import1Click, QKeySequence(QStringLiteral("Ctrl+I")));
    AddMenuCommand(file, "Export1", QStringLiteral("Export..."), &TFNav::Export1Click,
                   QKeySequence(QStringLiteral("Ctrl+X")));
    file->addSeparator();
    AddMenuCommand(file, "Exit1", QStringLiteral("Exit"), &TFNav::Exit1Click, none);

    QMenu* zoom = MainMenu1->addMenu(QStringLiteral("Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    AddMenuCommand(zoom, "In1", QStringLiteral("In"), &TFNav::ZoominClick, none);
    AddMenuCommand(zoom, "Out1", QStringLiteral("Out"), &TFNav::ZoomoutClick, none);
    AddMenuCommand(zoom, "Window1", QStringLiteral("Window"), &TFNav::ZoomwindowClick, none);
    AddMenuCommand(zoom, "Dynamic1", QStringLiteral("Dynamic"), &TFNav::ZoomdynamicClick,
                   QKeySequence(QStringLiteral("Ctrl+Alt+D")));
    AddMenuCommand(zoom, "Extents1", QStringLiteral("Extents"), &TFNav::ZoomextentsClick,
                   QKeySequence(QStringLiteral("Ctrl+Alt+E")));

    QMenu* tools = MainMenu1->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    AddMenuCommand(tools, "VesselShape1", QStringLiteral("Vessel Shape..."), &TFNav::VesselShape1Click, none);
    AddMenuCommand(tools, "OpenLogFolder1", QStringLiteral("Open Log Folder"), &TFNav::OpenLogFolder1Click,
                   QKeySequence(QStringLiteral("Ctrl+L")));
    AddMenuCommand(tools, "LatencyWatchSet1", QStringLiteral("Latency Watch/Set"), &TFNav::LatencyWatchSet1Click,
                   none);
    tools->addSeparator();
    TranslationEditor1 = AddMenuCommand(tools, "TranslationEditor1", QStringLiteral("Translation Editor"),
                                        &TFNav::TranslationEditor1Click, none);

    QMenu* edit = MainMenu1->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    AddMenuCommand(edit, "Followvessel1", QStringLiteral("Follow vessel"), &TFNav::bFollowVesselClick, none);
    AddMenuCommand(edit, "Donotfollowvessel1", QStringLiteral("Do not follow vessel"), &TFNav::ToolButton13Click,
                   none);
    edit->addSeparator();
    AddMenuCommand(edit, "Cleartracksfixed1", QStringLiteral("Clear tracks fixed"), &TFNav::tbFixedClick, none);
    AddMenuCommand(edit, "Cleartracksunfixed1", QStringLiteral("Clear tracks unfixed"), &TFNav::tbFloatClick, none);
    AddMenuCommand(edit, "Clearshapesuseradded1", QStringLiteral("Clear shapes user added"), &TFNav::ToolButton11Click,
                   none);
    AddMenuCommand(edit, "Deletetracksselected1", QStringLiteral("Delete tracks selected"),
                   &TFNav::Deletetracksselected1Click, none);
    edit->addSeparator();
    AddMenuCommand(edit, "MarkEvent1", QStringLiteral("Mark Event"), &TFNav::btEventAddClick,
                   QKeySequence(Qt::Key_F12));

    QMenu* window = MainMenu1->addMenu(QStringLiteral("Window"));
    window->setObjectName(QStringLiteral("Window2"));
    AddMenuCommand(window, "Parameters1", QStringLiteral("Device Settings..."), &TFNav::Parameters1Click,
                   QKeySequence(Qt::Key_F10));
    AddMenuCommand(window, "NavigationSettings1", QStringLiteral("Navigation Settings..."),
                   &TFNav::NavigationSettings1Click, none);
    AddMenuCommand(window, "OffsetsandValues1", QStringLiteral("Offsets..."), &TFNav::OffsetsandValues1Click, none);
    window->addSeparator();
    AddMenuCommand(window, "mRealtimeWindow1", QStringLiteral("Realtime Window..."), &TFNav::mRealtimeWindow1Click,
                   none);
    AddMenuCommand(window, "Echogram1", QStringLiteral("Echogram"), &TFNav::Echogram1Click, none);
    AddMenuCommand(window, "SoundVelocityProfile1", QStringLiteral("Sound Velocity Profile..."),
                   &TFNav::SoundVelocityProfile1Click, none);
    AddMenuCommand(window, "Generate1", QStringLiteral("Generate Runline..."), &TFNav::Generate1Click, none);
    AddMenuCommand(window, "HalvekNTRIPClient1", QStringLiteral("Halvek NTRIP Client..."),
                   &TFNav::HalvekNTRIPClient1Click, none);
    window->addSeparator();
    AddMenuCommand(window, "themeSelection1", QStringLiteral("Theme Selection..."), &TFNav::themeSelection1Click,
                   none);

    QMenu* help = MainMenu1->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    AddMenuCommand(help, "RemoteSupport1", QStringLiteral("Remote Support..."), &TFNav::RemoteSupport1Click, none)
        ->setEnabled(!RemoteSupportProgram().isEmpty());
    AddMenuCommand(help, "About1", QStringLiteral("About..."), &TFNav::About1Click, none);
}

void TFNav::BuildRealtimeToolBar()
{
    Realtime = new QToolButton(tRealtime);
    Realtime->setObjectName(QStringLiteral("Realtime"));
    Realtime->setCheckable(true);
    Realtime->setText(QStringLiteral("Realtime"));
    connect(Realtime, &QToolButton::clicked, this, [this] { skerra::guarded(this, [this] { RealtimeClick(); }); });
    tRealtime->addWidget(Realtime);
    tRealtime->addSeparator();
    AddToolCommand(tRealtime, "tbRunline", QStringLiteral("Runline"), "runline", &TFNav::tbRunlineClick);
    AddToolCommand(tRealtime, "ConnectIcon", QStringLiteral("Connect"), "connect", &TFNav::Parameters1Click);
    tRealtime->addSeparator();
    AddToolCommand(tRealtime, "tbFixed", QStringLiteral("Fixed"), "track-fixed", &TFNav::tbFixedClick);
    AddToolCommand(tRealtime, "tbFloat", QStringLiteral("Float"), "track-float", &TFNav::tbFloatClick);
    AddToolCommand(tRealtime, "tbAuto", QStringLiteral("Auto"), "track-other", &TFNav::tbAutoClick);
    tRealtime->addSeparator();
    AddToolCommand(tRealtime, "bSelectTracks", QStringLiteral("Select Track"), "select-tracks",
                   &TFNav::bSelectTracksClick);
    AddToolCommand(tRealtime, "bDelSelected", QStringLiteral("Delete Slected"), "delete-selected",
                   &TFNav::bDelSelectedClick);
    tRealtime->addSeparator();
    AddToolCommand(tRealtime, "bFollowVessel", QStringLiteral("Follow"), "follow", &TFNav::bFollowVesselClick);
    AddToolCommand(tRealtime, "ToolButton13", QStringLiteral("No follow"), "no-follow", &TFNav::ToolButton13Click);
}

void TFNav::BuildDrawToolBar()
{
    AddToolCommand(tDraw, "bOpen", QStringLiteral("Open"), "open", &TFNav::Open1Click);
    AddToolCommand(tDraw, "bSave", QStringLiteral("Save"), "save", &TFNav::Save1Click);
    tDraw->addSeparator();
    AddToolCommand(tDraw, "Zoomin", QStringLiteral("Zoom In"), "zoom-in", &TFNav::ZoominClick);
    AddToolCommand(tDraw, "Zoomout", QStringLiteral("Zoom Out"), "zoom-out", &TFNav::ZoomoutClick);
    AddToolCommand(tDraw, "Zoomwindow", QStringLiteral("Zoom Window"), "zoom-window", &TFNav::ZoomwindowClick);
    AddToolCommand(tDraw, "Zoomdynamic", QStringLiteral("Dynamic Zoom"), "zoom-dynamic", &TFNav::ZoomdynamicClick);
    AddToolCommand(tDraw, "Zoomextents", QStringLiteral("Zoom Extents"), "zoom-extents", &TFNav::ZoomextentsClick);
    tDraw->addSeparator();
    bMouseSelect = AddToolCommand(tDraw, "bMouseSelect", QStringLiteral("Select Shapes"), "select-shapes",
                                  &TFNav::bMouseSelectClick);
    AddToolCommand(tDraw, "ToolButton11", QStringLiteral("Clear User Shapes"), "clear-shapes",
                   &TFNav::ToolButton11Click);
    tDraw->addSeparator();
    AddToolCommand(tDraw, "btEventAdd", QStringLiteral("Add Event"), "event-add", &TFNav::btEventAddClick);
    AddToolCommand(tDraw, "btEventReset", QStringLiteral("Reset Event"), "event-reset", &TFNav::btEventResetClick);
    tDraw->addSeparator();
    AddToolCommand(tDraw, "bExit", QStringLiteral("Exit"), "exit", &TFNav::bExitClick);
    AddToolCommand(tDraw, "bRestart", QStringLiteral("Restart"), "restart", &TFNav::bRestartClick);
}

void TFNav::BuildShapeToolBar()
{
    tShape->setOrientation(Qt::Vertical);
    tShape->setFixedWidth(ShapeBarWidth);
    tShape->setIconSize(QSize(18, 18));
    // The narrow bar gives its width to the icons.
    tShape->setStyleSheet(QStringLiteral("QToolBar { padding: 0px; spacing: 2px; } QToolButton { padding: 1px; }"));
    // Top to bottom; the handler names are not those the button names suggest.
    AddToolCommand(tShape, "ToolButton7", QStringLiteral("Point"), "point", &TFNav::ToolButton10Click);
    AddToolCommand(tShape, "ToolButton12", QStringLiteral("Line"), "line", &TFNav::ToolButton9Click);
    AddToolCommand(tShape, "ToolButton21", QStringLiteral("Rectangle"), "rectangle", &TFNav::ToolButton16Click);
    AddToolCommand(tShape, "ToolButton23", QStringLiteral("Polyline"), "polyline", &TFNav::ToolButton14Click);
    AddToolCommand(tShape, "ToolButton27", QStringLiteral("Ellipse"), "ellipse", &TFNav::ToolButton19Click);
    AddToolCommand(tShape, "ToolButton28", QStringLiteral("Polygon"), "polygon", &TFNav::ToolButton15Click);
    AddToolCommand(tShape, "ToolButton29", QStringLiteral("Spline"), "spline", &TFNav::ToolButton17Click);
    AddToolCommand(tShape, "ToolButton30", QStringLiteral("Arc"), "arc", &TFNav::ToolButton20Click);
    AddToolCommand(tShape, "ToolButton31", QStringLiteral("Circle"), "circle", &TFNav::ToolButton18Click);
}

void TFNav::BuildStatusBar()
{
    auto* layout = new QVBoxLayout(pRealtime);
    layout->setContentsMargins(0, 0, 0, 0);
    sStatusBar = new QStatusBar(pRealtime);
    sStatusBar->setObjectName(QStringLiteral("sStatusBar"));
    for (int i = 0; i < StatusPanelCount; ++i) {
        auto* panel = new StatusPanelLabel(sStatusBar);
        panel->setObjectName(QStringLiteral("sStatusBarPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The vessel's position always shows whole; the longer texts give way to it.
        if (i <= 1) panel->KeepWholeText();
        panel->ShowText(QString(), 0, StatusPanelWidth);
        sStatusBar->addWidget(panel);
    }
    layout->addWidget(sStatusBar);
    // Clicks on the panels reach the bar; the bar's own clicks come here.
    sStatusBar->installEventFilter(this);
    OpenFolder = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
}

void TFNav::ShowLastFileFolder(const QString& fileName)
{
    LastFileName = fileName;
    ShowStatusPanelText(3, LastFileFolderText(fileName, skerra::dataRoot()));
}

void TFNav::StatusBarClick(int x)
{
    const QLabel* panel = StatusPanel(3);
    if (LastFileName.isEmpty() || !PanelContains(panel->x(), panel->width(), x)) return;
    if (OpenFolder) OpenFolder(LastFileFolderText(LastFileName, skerra::dataRoot()));
}

bool TFNav::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sStatusBar && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const int x = mouse->position().toPoint().x();
            skerra::guarded(this, [this, x] { StatusBarClick(x); });
        }
    }
    if (watched == sStatusBar && event->type() == QEvent::MouseButtonDblClick)
        skerra::guarded(this, [this] { StatusBarDblClick(); });
    return Form::eventFilter(watched, event);
}

StatusPanelLabel* TFNav::StatusPanel(int index) const
{
    return sStatusBar->findChild<StatusPanelLabel*>(QStringLiteral("sStatusBarPanel%1").arg(index),
                                                    Qt::FindDirectChildrenOnly);
}

void TFNav::ShowStatusPanelText(int panel, const QString& text)
{
    if (StatusPanelLabel* label = StatusPanel(panel)) label->ShowText(text, StatusTextPadding);
}

void TFNav::BuildTimers()
{
    const struct { QTimer** timer; const char* name; int interval; bool active; Command handler; } timers[] = {
        {&tMap, "tMap", 200, false, &TFNav::tMapTimer},
        {&tEchogram, "tEchogram", 200, true, &TFNav::tEchogramTimer},
        // Until the first show sets the user's interval.
        {&tScreenshot, "tScreenshot", 30000, true, &TFNav::tScreenshotTimer},
    };
    for (const auto& t : timers) {
        auto* timer = new QTimer(this);
        timer->setObjectName(latin1Text(t.name));
        timer->setInterval(t.interval);
        const Command handler = t.handler;
        connect(timer, &QTimer::timeout, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
        if (t.active) timer->start();
        *t.timer = timer;
    }
}

// ---- Creation ----

void TFNav::FormCreate()
{
    CreateSerialDevices();
    CreateChart();
    CreateSurvey();
    CreateScreenshots();
    MakeDataFolders();
    SetApplicationIcon();
    if (!Translation) Translation = new THalvekTranslation;  // one for the whole run
    ApplyLanguageAndOverlaySettings();
    ShowLanguagePanel();
    EchoSentences = true;
    StyleRealtimeButton();
    InstallKeyPreview();
}

// The day's folders, each with all missing parents, and the media folders. A folder
// that cannot be made is reported once, with the first one that failed, when the
// message window exists (at the first show).
void TFNav::MakeDataFolders()
{
    QStringList folders;
    for (const std::string& folder : {DayFolder, LayoutFolder, LogFolder, XyzFolder, SvpFolder})
        folders << QString::fromStdString(folder);
    folders << QString::fromStdString(DayFolder) + "JPG" << QString::fromStdString(DayFolder) + "MP4";
    for (const QString& folder : folders) {
        if (QDir().mkpath(folder)) continue;
        dataFolderFailure_ = DataFolderFailureText(folder);
        return;
    }
}

// Shown in the message window, which exists only now (the event log alone might lie
// in the very folder that failed).
void TFNav::ReportDataFolderFailure()
{
    if (dataFolderFailure_.isEmpty()) return;
    survey_->Report(dataFolderFailure_, true);
    dataFolderFailure_.clear();
}

void TFNav::SetApplicationIcon()
{
    const QIcon icon(QStringLiteral(":/navigation/icons/skerra.svg"));
    QApplication::setWindowIcon(icon);
    setWindowIcon(icon);
}

void TFNav::ApplyLanguageAndOverlaySettings()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const std::string language = ini.ReadString(QStringLiteral("SETTINGS"), QStringLiteral("Language"),
                                                QStringLiteral("en")).toStdString();
    DisplaySettings::OverlayFontSize = skerra::readOverlayFontSize(ini);
    if (language != "en") Translation->SetLanguage(language);
}

// Panel 4 shows the language code, as wide as "EN" needs.
void TFNav::ShowLanguagePanel()
{
    QLabel* panel = StatusPanel(4);
    panel->setText(QString::fromStdString(Translation->CurrentLanguage).toUpper());
    panel->setFixedWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("EN")) + 16);
}

void TFNav::CreateChart()
{
    fcad = new THalvekCanvas(Panel4);
    fcad->setObjectName(QStringLiteral("fcad"));
    Panel4->layout()->addWidget(fcad);
    fcad->SetBackColor(skerra::fromQColor(palette().color(QPalette::Window)));

    fcad->OnShapeNumberSelected = [this](QObject* s, short t, long n) { fcadShapeNumberSelected(s, t, n); };
    fcad->OnWorldMouseMove = [this](QObject* s, short shift, double x, double y, double m, double a) {
        fcadWorldMouseMove(s, shift, x, y, m, a);
    };
    fcad->OnWorldMouseDown = [this](QObject* s, short b, short shift, short action, double x, double y) {
        fcadWorldMouseDown(s, b, shift, action, x, y);
    };
    fcad->OnDrawBegin = [this](QObject* s, short t, double x, double y) { fcadDrawBegin(s, t, x, y); };
    fcad->OnDrawEnd = [this](QObject* s, short t, double x, double y) { fcadDrawEnd(s, t, x, y); };
    fcad->OnDblClick = [this](QObject* s) { fcadDblClick(s); };
}

void TFNav::CreateSerialDevices()
{
    ZGPS1 = new THalvekSerialGPS(this);
    ZGPS1->setObjectName(QStringLiteral("ZGPS1"));
    ZGPS1->OnConnect = [this](QObject* s, const QString& port) { ZGPS1Connect(s, port); };
    ZGPS1->OnDisconnect = [this](QObject* s, const QString& port) { ZGPS1Disconnect(s, port); };
    ZGPS1->OnIdle = [this](QObject* s) { ZGPS1Idle(s); };
    ZGPS1->OnTimeout = [this](QObject* s) { ZGPS1Timeout(s); };
    ZGPS1->OnNewCommand = [this](QObject* s, const std::string& line) { ZGPS1NewCommand(s, line); };
    ZGPS1->OnPosition3DChange = [this](QObject* s, double lat, double lon, double alt) {
        ZGPS1Position3DChange(s, lat, lon, alt);
    };
    ZGPS1->OnSpeedChange = [this](QObject* s, double speed) { ZGPS1SpeedChange(s, speed); };
    ZGPS1->OnSend = [this](QObject* s, const std::string& text) { ZGPS1Send(s, text); };

    ZSENSOR = new THalvekSerialGPS(this);
    ZSENSOR->setObjectName(QStringLiteral("ZSENSOR"));
    ZSENSOR->OnNewCommand = [this](QObject* s, const std::string& line) { ZSENSORNewCommand(s, line); };

    gpsCorrectionSink_ = std::make_unique<SerialCorrectionSink>(ZGPS1);

    for (THalvekSerialGPS* device : {ZGPS1, ZSENSOR}) {
        device->TimeFormat = "hhnnsszzz";
        device->DateFormat = "YYYY-MM-DD";
    }
}

// The survey engine on the serial devices, the windows' settings and this window's
// controls. Port settings reach the devices only through the settings window's
// "GPS Set" / "SBES Set"; a device keeps its settings while that window is missing.
void TFNav::CreateSurvey()
{
    surveyClock_ = std::make_unique<SystemSurveyClock>();
    surveyDevices_ = std::make_unique<SerialSurveyDevices>(*ZGPS1, *ZSENSOR, [](SurveyDevice device) {
        return FGPS ? FGPS->PortSetAtStart(device == SurveyDevice::Gnss) : QStringList();
    });
    surveySettings_ = std::make_unique<NavSurveySettings>(*this);
    surveyView_ = std::make_unique<NavSurveyView>(*this);
    survey_ = std::make_unique<SurveyEngine>(*surveyDevices_, *surveySettings_, *surveyView_, *fcad, *surveyClock_);
    fcad->SetStatusSource(survey_.get());
}

// Screenshots go to the start day's PNG folder; problems are reported like the
// survey's. Where the screen cannot be captured the visible windows are saved.
void TFNav::CreateScreenshots()
{
    const auto ownWindows = [] {
        std::vector<NamedImage> shots;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) shots.push_back({window->objectName(), window->grab().toImage()});
        return shots;
    };
    screenshots_ = std::make_unique<ScreenshotTaker>(
        ScreenshotFolder(DayFolder), [this](const QString& text) { survey_->Report(text, false); }, ownWindows);
}

template <class Result, class... Parameters, class... Arguments>
void TFNav::ForwardToSurvey(Result (SurveyEngine::*handler)(Parameters...), Arguments&&... arguments)
{
    if (survey_) skerra::guarded(this, [&] { (survey_.get()->*handler)(std::forward<Arguments>(arguments)...); });
}

void TFNav::StyleRealtimeButton()
{
    Realtime->setFixedSize(70, 28);
    QFont font(QStringLiteral("Segoe UI"), 10);
    font.setBold(true);
    Realtime->setFont(font);
    Realtime->setAutoRaise(false);
    ShowRealtimeRunning(false);
}

// ---- The Realtime button ----


// 70 pixels wide, wider when a caption (a longer language's) needs it.
void TFNav::FitRealtimeButton()
{
    Realtime->setFixedWidth(qMax(70, Realtime->fontMetrics().horizontalAdvance(Realtime->text()) + 12));
}

void TFNav::RealtimeClick() { ForwardToSurvey(&SurveyEngine::RealtimeClicked, Realtime->isChecked()); }

// The button takes the bar's green too, so its white caption stays readable. The bar's
// style sheet changes first: changing it gives the bar's buttons their palettes anew.
void TFNav::ShowRealtimeRunning(bool running)
{
    Realtime->setText(translated(running ? "Stop" : "Start"));
    FitRealtimeButton();
    ShowRealtimeColours(running);
}

void TFNav::ShowRealtimeColours(bool running)
{
    realtimeRunning_ = running;
    const QColor band = skerra::activeRunningColour();
    restylingBars_ = true;
    tRealtime->setStyleSheet(running ? QStringLiteral("QToolBar#tRealtime { background: %1; }").arg(band.name())
                                     : QString());
    ShowToolIcons(tRealtime, running ? band : palette().color(QPalette::Window));
    // White while running; navy on the style's button colour while stopped, where it
    // reads, now and after a change of style.
    Realtime->setPalette(QPalette());  // the style's colours again, then the wishes below
    // The button a shade darker than the band: a style paints a button's face lighter
    // than its colour, and the white caption must read on what is painted.
    skerra::showTextReadably(Realtime, skerra::toQColor(running ? skerra::colors::White : skerra::colors::Navy),
                             QPalette::Button, running ? band.darker(175) : QColor());
    restylingBars_ = false;
}

void TFNav::ShowToolIcons(QToolBar* bar, const QColor& barColour)
{
    for (QAction* action : bar->actions()) {
        const QString icon = action->property(kToolIconProperty).toString();
        if (!icon.isEmpty()) action->setIcon(toolIcon(icon, barColour));
    }
}

// A new style: the bars' icons and the Realtime button take its colours.
void TFNav::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    if (event->type() != QEvent::PaletteChange || restylingBars_ || !Realtime || !tDraw || !tShape) return;
    skerra::guarded(this, [this] {
        const QColor window = palette().color(QPalette::Window);
        ShowToolIcons(tDraw, window);
        ShowToolIcons(tShape, window);
        ShowRealtimeColours(realtimeRunning_);
    });
}

// ---- Device events and timers: the survey engine's ----

void TFNav::ZGPS1Connect(QObject*, const QString& port) { ForwardToSurvey(&SurveyEngine::OnGnssConnect, port); }
void TFNav::ZGPS1Disconnect(QObject*, const QString& port) { ForwardToSurvey(&SurveyEngine::OnGnssDisconnect, port); }
void TFNav::ZGPS1Idle(QObject*) { ForwardToSurvey(&SurveyEngine::OnGnssIdle); }
void TFNav::ZGPS1Timeout(QObject*) { ForwardToSurvey(&SurveyEngine::OnGnssTimeout); }
void TFNav::ZGPS1Send(QObject*, const std::string& text) { ForwardToSurvey(&SurveyEngine::OnGnssSend, text); }
void TFNav::ZGPS1NewCommand(QObject*, const std::string& line) { ForwardToSurvey(&SurveyEngine::OnGnssLine, line); }
void TFNav::ZGPS1Position3DChange(QObject*, double latitude, double longitude, double altitude)
{
    ForwardToSurvey(&SurveyEngine::OnGnssPosition, latitude, longitude, altitude);
}
void TFNav::ZGPS1SpeedChange(QObject*, double speedKmh) { ForwardToSurvey(&SurveyEngine::OnGnssSpeed, speedKmh); }
void TFNav::ZSENSORNewCommand(QObject*, const std::string& line) { ForwardToSurvey(&SurveyEngine::OnSensorLine, line); }

void TFNav::OpenLogFolder1Click()
{
    if (fRealtime) fRealtime->btOpenLogFolder->click();
}

void TFNav::tMapTimer() { ForwardToSurvey(&SurveyEngine::MapTick); }
// Sensor watch, then the newest depth into the echogram (which keeps it only while shown).
void TFNav::tEchogramTimer()
{
    if (!survey_) return;
    survey_->SensorWatchTick();
    const std::optional<double> depth = survey_->TakeEchogramDepth();
    if (depth && fWaterfal) fWaterfal->PushDepth(*depth);
}
void TFNav::tScreenshotTimer()
{
    if (screenshots_) screenshots_->Tick(surveyClock_->Now());
}

// ---- Where other windows go ----

// The main window's frame and the chart's area on the screen, once the window shows.
skerra::PlacementAnchors TFNav::ScreenAnchors() const
{
    skerra::PlacementAnchors anchors;
    if (!isVisible() || isMinimized()) return anchors;
    anchors.mainWindow = skerra::expectedFrame(this);
    if (Panel4 && Panel4->isVisible()) {
        anchors.chart = QRect(Panel4->mapToGlobal(QPoint(0, 0)), Panel4->size());
        anchors.chartClear = ChartAreaClearOfPositionBox(anchors.chart);
    }
    return anchors;
}

// The chart's area on the screen less the rows of its position box (fix, speed, heights),
// which a surveyor must see at every moment of a survey: windows keep clear of it where
// they fit beside it.
QRect TFNav::ChartAreaClearOfPositionBox(QRect chart) const
{
    const QRect band = fcad->GGAOverlayBand().translated(fcad->mapToGlobal(QPoint(0, 0)));
    if (band.center().y() < chart.center().y())
        chart.setTop(std::max(chart.top(), band.bottom() + 1));
    else
        chart.setBottom(std::min(chart.bottom(), band.top() - 1));
    return chart;
}

// ---- First show ----

void TFNav::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (shown_) return;
    shown_ = true;
    skerra::guarded(this, [this] { FormShow(); });
}

void TFNav::FormShow()
{
    EnsureNavLayers(*fcad);
    ApplyTranslation(*this);
    try {
        ShowLastLayoutAndView();
    } catch (...) {
        // A damaged settings file leaves the chart as it is.
    }
    // A loaded layout may have brought the standard layers or lacked some.
    EnsureNavLayers(*fcad);
    // However many shapes a chart holds, the vessel is always drawn.
    fcad->SetAlwaysDrawnLayer(VesselLayerId);
    LoadFormPlacement(this, true);
    PlaceStartWindows();
    if (Offsets) Offsets->show();
    if (fJoystick) fJoystick->show();
    ReportDataFolderFailure();
}

// Windows shown with or before this one had no chart to go beside, or one that the
// window manager has moved since: their default places are taken anew.
void TFNav::PlaceStartWindows()
{
    for (skerra::Form* early : std::initializer_list<skerra::Form*>{Navset, Offsets, fJoystick})
        if (early && early->isVisible() && !early->placedOnPurpose())
            skerra::placeByDefault(early, early->defaultPlace());
}

void TFNav::FramedOnScreen() { PlaceStartWindows(); }

void TFNav::ShowLastLayoutAndView()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const QString lastFile = ini.ReadString(QStringLiteral("FILE"), QStringLiteral("Last File Saved"), QString());
    ReloadLastLayout(lastFile);
    ClearLayerByName(QStringLiteral("~~Halvek Vessel"));
    ClearLayerByName(QStringLiteral("Halvek Grid"));
    setWindowTitle(QStringLiteral("Skerra - ") + lastFile);
    ApplyChartView(ReadChartViewSettings(ini));
    ApplyScreenshotInterval(ini.ReadInteger(QStringLiteral("SCREENSHOT"), QStringLiteral("Interval"), 60));
}

void TFNav::ClearLayerByName(const QString& name)
{
    const int layer = fcad->LayerFindByName(name);
    if (layer >= 0) fcad->CadClearShapes(layer);
}

void TFNav::ApplyChartView(const ChartViewSettings& view)
{
    fcad->WorldSet(view.left, view.top, view.right, view.bottom);
    fcad->GridAutoScale = view.gridAutoScale;
    fcad->DepthSpeedDisplayMode = view.depthSpeedDisplayMode;
    fcad->GGAOverlayPosition = view.ggaOverlayPosition;
}

ChartViewSettings TFNav::CurrentChartView() const
{
    ChartViewSettings view;
    view.left = fcad->WorldLeft;
    view.right = fcad->WorldRight;
    view.top = fcad->WorldTop;
    view.bottom = fcad->WorldBottom;
    view.gridAutoScale = fcad->GridAutoScale;
    view.depthSpeedDisplayMode = fcad->DepthSpeedDisplayMode;
    view.ggaOverlayPosition = fcad->GGAOverlayPosition;
    return view;
}

// The settings window's interval edit shows the stored interval; its change handler
// drives the same timer once the settings window holds it.
void TFNav::ApplyScreenshotInterval(int seconds)
{
    const QString text = QString::number(seconds);
    if (FGPS) FGPS->eScreenshotInterval->setText(text);
    const skerra::ScreenshotTimerSetting setting = skerra::screenshotTimerSetting(text);
    tScreenshot->setInterval(setting.intervalMs);
    if (setting.run)
        tScreenshot->start();
    else
        tScreenshot->stop();
}

// ---- Closing ----

void TFNav::closeEvent(QCloseEvent* event)
{
    bool closing = true;
    skerra::guarded(this, [&] { closing = FormCloseQuery(); });
    if (!closing) {
        event->ignore();
        return;
    }
    event->accept();
    // Closing the main window ends the program, whatever tool windows are open.
    QCoreApplication::quit();
}

bool TFNav::FormCloseQuery()
{
    SaveProblems problems;
    problems.layout = true;  // unless the save says otherwise
    skerra::guarded(this, [&] { problems = SaveAutomatically(false); });
    if (!problems.none() && !CloseAfterFailedSave(problems))
        return false;
    // The close question has said that the settings file cannot be written; the
    // window places and settings written from here on would each say it again.
    if (!problems.settings.isEmpty())
        settingsFailureTold_ = std::make_unique<skerra::SettingsWriteFailureTold>();
    Realtime->setEnabled(false);
    // A survey under way ends as with the Stop button, so the day's event log has an
    // end for every start.
    ForwardToSurvey(&SurveyEngine::StopSurvey);
    QCoreApplication::processEvents();
    QThread::msleep(50);
    for (THalvekSerialGPS* device : {ZGPS1, ZSENSOR})
        if (device) skerra::guarded(this, [device] { device->Close(); });
    QThread::msleep(50);
    for (QWidget* form : std::initializer_list<QWidget*>{Offsets, Navset, this, fRealtime, fSVP, fRunline1,
                                                         fWaterfal, fJoystick})
        if (form) SaveFormPlacement(form);
    CloseToolWindows();
    skerra::IniFile ini(skerra::settingsFilePath());
    WriteChartViewSettings(ini, CurrentChartView());
    return true;
}

// Closing makes the settings windows store their sections (the sound-velocity window
// its "SVP" one, which the next survey's depth correction reads).
void TFNav::CloseToolWindows()
{
    for (QWidget* form : std::initializer_list<QWidget*>{Navset, Offsets, FGPS, fRealtime, fRunline1, fWaterfal, fSVP})
        if (form) form->close();
}

// ---- Chart commands ----

void TFNav::SetCadMode(int mode) { fcad->CadMode = mode; }
void TFNav::ToolButton10Click() { SetDrawingMode(17); }
void TFNav::ToolButton9Click() { SetDrawingMode(3); }
void TFNav::ToolButton16Click() { SetDrawingMode(1); }
void TFNav::ToolButton14Click() { SetDrawingMode(5); }
void TFNav::ToolButton19Click() { SetDrawingMode(4); }
void TFNav::ToolButton15Click() { SetDrawingMode(6); }
void TFNav::ToolButton17Click() { SetDrawingMode(8); }
void TFNav::ToolButton20Click() { SetDrawingMode(10); }
void TFNav::ToolButton18Click() { SetDrawingMode(19); }
void TFNav::ZoomwindowClick() { SetCadMode(-3); }
void TFNav::ZoomdynamicClick() { SetCadMode(-4); }

void TFNav::SetCompactLayout(bool compact)
{
    for (QWidget* bar : std::initializer_list<QWidget*>{tRealtime, tDraw, pRealtime, tShape})
        if (bar) bar->setVisible(!compact);
    MainMenu1->setVisible(!compact);
    if (Navset) Navset->setVisible(!compact);
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, compact);
    if (wasVisible) show();
    if (!fWaterfal) return;
    if (compact)
        fWaterfal->hide();
    else if (ZSENSOR && ZSENSOR->Connected() && tEchogram->isActive())
        fWaterfal->show();
}

// Zoom about the middle of the world window: in shrinks it to 0.8, out grows it to 1.2.
void TFNav::ZoominClick()
{
    fcad->WorldZoom(0, 0.2, (fcad->WorldLeft + fcad->WorldRight) / 2, (fcad->WorldTop + fcad->WorldBottom) / 2);
}

void TFNav::ZoomoutClick()
{
    fcad->WorldZoom(0, -0.2, (fcad->WorldLeft + fcad->WorldRight) / 2, (fcad->WorldTop + fcad->WorldBottom) / 2);
}

void TFNav::ZoomextentsClick() { fcad->WorldExtents(); }

// ---- Windows and leaving ----

// Closing saves the chart (once).
void TFNav::Exit1Click() { close(); }

void TFNav::About1Click()
{
    if (formAbout) skerra::showModalAbove(formAbout, this);
}

void TFNav::VesselShape1Click() { showWindow(FShape); }
void TFNav::LatencyWatchSet1Click() { showWindow(fLatency); }
void TFNav::NavigationSettings1Click() { showWindow(Navset); }
void TFNav::mRealtimeWindow1Click() { showWindow(fRealtime); }
void TFNav::OffsetsandValues1Click() { showWindow(Offsets); }
void TFNav::themeSelection1Click() { showWindow(fTheme); }
void TFNav::SoundVelocityProfile1Click() { showWindow(fSVP); }
void TFNav::Parameters1Click() { showWindow(FGPS); }
void TFNav::tbRunlineClick() { showWindow(fRunline1); }

void TFNav::Echogram1Click()
{
    if (ZSENSOR && ZSENSOR->Connected())
        showWindow(fWaterfal);
    else
        skerra::showInformation(QStringLiteral("Sensor is not connected. Connect sensor to view waterfall."), this);
}

void TFNav::HalvekNTRIPClient1Click()
{
    if (!frmNTRIPSettings) new TfrmNTRIPSettings(this);
    if (ZGPS1 && ZGPS1->Connected()) {
        frmNTRIPSettings->SetGPSPort(gpsCorrectionSink_.get(), ZGPS1->PortName());
        frmNTRIPSettings->SetVesselPosition(ZGPS1->GetLatitude(), ZGPS1->GetLongitude(), ZGPS1->GetAltitude());
    }
    showWindow(frmNTRIPSettings);
}

TCorrectionSink* TFNav::GpsCorrectionSink() const { return gpsCorrectionSink_.get(); }

// The orderly way out, as File > Exit: ports closed, placements and the view saved.
void TFNav::bExitClick() { close(); }

// Closes in the usual way; the new instance starts once this one has finished closing.
void TFNav::bRestartClick()
{
    skerra::requestRestart();
    if (!close())
        skerra::cancelRestart();
}

QString TFNav::RemoteSupportProgram()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const QString program =
        ini.ReadString(QStringLiteral("SETTINGS"), QStringLiteral("Remote Support Program"), QString()).trimmed();
    if (program.isEmpty()) return {};
    return QFileInfo(program).isAbsolute() ? program : skerra::besideProgram(program);
}

void TFNav::RemoteSupport1Click()
{
    const QString program = RemoteSupportProgram();
    if (!program.isEmpty()) QProcess::startDetached(program, QStringList());
}
