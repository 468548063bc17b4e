#pragma once
// The main window: the menus, the survey and drawing tool bars, the chart, the status
// bar and the survey loop's timers.

#include "StatusPanelLabel.h"
#include "platform/Form.h"
#include "platform/HandlerGuard.h"

#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class NavSurveySettings;
class NavSurveyView;
class TCorrectionSink;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class SerialCorrectionSink;
class ScreenshotTaker;
class SerialSurveyDevices;
class SurveyClock;
class SurveyEngine;
class THalvekCanvas;
class THalvekNumericKeypad;
class THalvekSimpleKeyboard;
class THalvekCanvasModel;
class THalvekSerialGPS;
namespace skerra::survey {
class GridProjection;
}
struct ChartViewSettings;

class TFNav : public skerra::FormOf<TFNav> {
    Q_OBJECT
public:
    explicit TFNav(QWidget* parent = nullptr);
    ~TFNav() override;

    void FormCreate();
    void FormShow();
    // Closing steps: the chart saved once, ports closed, tool windows' placement and
    // the chart's view saved. When the save fails, the user is asked whether to close
    // anyway (default No); false when the window is to stay open.
    bool FormCloseQuery();
    // Where the default places of other windows are measured from; empty while hidden.
    skerra::PlacementAnchors ScreenAnchors() const;

    // The chart, filling Panel4.
    THalvekCanvas* fcad = nullptr;
    // Received lines are echoed into the settings window's memos.
    bool EchoSentences = false;

    // The GNSS receiver and the echo sounder.
    THalvekSerialGPS* ZGPS1 = nullptr;
    THalvekSerialGPS* ZSENSOR = nullptr;

    // Controls other windows reach.
    QMenuBar* MainMenu1 = nullptr;
    QToolBar* tRealtime = nullptr;
    QToolBar* tDraw = nullptr;
    QToolBar* tShape = nullptr;
    QWidget* Panel4 = nullptr;
    QWidget* pRealtime = nullptr;
    QStatusBar* sStatusBar = nullptr;
    QToolButton* Realtime = nullptr;
    QAction* TranslationEditor1 = nullptr;
    QAction* bMouseSelect = nullptr;
    QTimer* tMap = nullptr;
    QTimer* tEchogram = nullptr;
    QTimer* tScreenshot = nullptr;

    // The status bar's panels: 0 geographic position, 1 grid position, 2 clicked
    // point, 3 folder of the last file, 4 language code, 5 the chart commands'
    // prompts and results (the survey's map tick writes panels 0 and 1 only).
    static constexpr int StatusPanelCount = 7;
    static constexpr int PromptPanel = 5;
    StatusPanelLabel* StatusPanel(int index) const;
    // Shows the text on a panel, which asks for the text's width (never widening the window).
    void ShowStatusPanelText(int panel, const QString& text);

    // The last layout or import file opened; panel 3 shows its folder, and a click on
    // the panel opens that folder.
    QString LastFileName;
    void ShowLastFileFolder(const QString& fileName);
    // A click on the status bar at x (the bar's coordinates).
    void StatusBarClick(int x);
    // Opens a folder in the desktop's file manager; failures are not reported.
    std::function<void(const QString& folder)> OpenFolder;

    // The language toggle of the status bar (a double click): English and Turkish.
    void StatusBarDblClick();
    // Shows the translation editor, made at the first call.
    void TranslationEditor1Click();

    // The Realtime button: down while a survey runs. A click starts or stops the survey.
    void RealtimeClick();
    // Running: caption "Stop" in white on the tool bar in the style's running colour;
    // else "Start" in navy on the standard colours. Each where it reads.
    void ShowRealtimeRunning(bool running);
    void FitRealtimeButton();

    // The realtime survey: its state, its reports and what the chart's position box reads.
    SurveyEngine& Survey() const { return *survey_; }

    void ZGPS1Connect(QObject* sender, const QString& port);
    void ZGPS1Disconnect(QObject* sender, const QString& port);
    void ZGPS1Idle(QObject* sender);
    void ZGPS1Timeout(QObject* sender);
    void ZGPS1Send(QObject* sender, const std::string& text);
    void ZGPS1NewCommand(QObject* sender, const std::string& line);
    void ZGPS1Position3DChange(QObject* sender, double latitude, double longitude, double altitude);
    void ZGPS1SpeedChange(QObject* sender, double speedKmh);
    void ZSENSORNewCommand(QObject* sender, const std::string& line);

    void tMapTimer();
    void tEchogramTimer();
    void tScreenshotTimer();

    // Shows the NTRIP window and, while the GNSS port is open, hands it that port
    // for the corrections and the receiver's position for the caster.
    void HalvekNTRIPClient1Click();
    // The GNSS port as a relay target for the NTRIP corrections: it follows ZGPS1, so
    // the corrections reach the receiver whenever its port is open.
    TCorrectionSink* GpsCorrectionSink() const;

    // The chart's events.
    void fcadShapeNumberSelected(QObject* sender, short shapeType, long shapeNumber);
    void fcadWorldMouseMove(QObject* sender, short shift, double x, double y, double magnitude, double angle);
    void fcadWorldMouseDown(QObject* sender, short button, short shift, short action, double x, double y);
    void fcadDrawBegin(QObject* sender, short shapeType, double x, double y);
    void fcadDrawEnd(QObject* sender, short shapeType, double x, double y);
    void fcadDblClick(QObject* sender);

    // Chart commands of the tool bars and the Zoom menu: drawing modes and zoom.
    void ToolButton10Click();  // point
    void ToolButton9Click();   // line
    void ToolButton16Click();  // rectangle
    void ToolButton14Click();  // polyline
    void ToolButton19Click();  // ellipse by two corners
    void ToolButton15Click();  // polygon
    void ToolButton17Click();  // spline
    void ToolButton20Click();  // three-point arc
    void ToolButton18Click();  // circle
    void ZoomwindowClick();
    void ZoomdynamicClick();
    // The realtime window's layout switch: compact leaves only the chart.
    void SetCompactLayout(bool compact);
    void ZoominClick();
    void ZoomoutClick();
    void ZoomextentsClick();

    // Survey events: mark the next numbered event at the vessel, restart the numbering.
    void btEventAddClick();
    void btEventResetClick();

    // Chart commands: following the vessel, clearing tracks and user shapes, polygon
    // selection of tracks or shapes and deleting the selection.
    void bFollowVesselClick();
    void ToolButton13Click();  // no follow
    void tbFixedClick();
    void tbFloatClick();
    void tbAutoClick();
    void ToolButton11Click();  // clear user shapes
    void bMouseSelectClick();
    void bSelectTracksClick();
    void bDelSelectedClick();
    void Deletetracksselected1Click();
    // Window > Generate Runline...: saves the layout, then shows the runline window.
    void Generate1Click();
    // Keys, as virtual-key codes, before the control with the focus sees them (Esc,
    // F2, F3, Delete); a key set to 0 goes no further.
    void FormKeyDown(QObject* sender, int& key, int shift);

    // Armed by the selection commands until the next finished polygon or Esc.
    bool SelectTracksMode = false;
    bool SelectShapesMode = false;
    // The window's own distance measure, toggled by right presses on the chart.
    bool MeasureActive = false;
    double MeasureStartX = 0, MeasureStartY = 0;


    // The File menu's chart commands. Save writes the dated layout file, logged as the
    // user's save; the automatic save writes the same file for closing the program and
    // for other windows: the sound-velocity window's "Save && Close", the offsets
    // window's confirmation and the runline generator.
    void New1Click();
    void Open1Click();
    void Save1Click();
    // The automatic save, telling whether everything was written (each failure has been shown).
    bool AutomaticSave();
    // What an automatic save could not write.
    struct SaveProblems {
        bool layout = false;
        QString settings;  // the message about the settings file; empty when written
        bool soundVelocityLists = false;
        bool none() const { return !layout && settings.isEmpty() && !soundVelocityLists; }
    };
    // Every failure is shown, but a settings file that cannot be written only when asked.
    SaveProblems SaveAutomatically(bool showSettingsProblem);
    void SaveAs1Click();
    void Export1Click();

    // The on-screen keypad and keyboard, made on first use: each edits the target's
    // text, placed at the bottom of this window's client area (TFNavKeyboards.cpp).
    THalvekNumericKeypad* NumericKeypad = nullptr;
    THalvekSimpleKeyboard* SimpleKeyboard = nullptr;
    void ShowNumericKeypad(QWidget* target);
    void ShowSimpleKeyboard(QWidget* target);
    void FreeNumericKeypad();
    void FreeSimpleKeyboard();
    // File > Import...: one KML/KMZ, XYZ or DXF file onto the chart, in a layer named after it.
    void Import1Click();
    // A WGS84 position to the survey grid for the KML/KMZ import; x and y stay as they
    // are when the position cannot be converted.
    void KmzGeoToGrid(double& x, double& y, double latitude, double longitude);
    // The import's file dialog (the chosen file, empty when cancelled); replaceable.
    std::function<QString(const QString& filter)> ChooseImportFile;
    // The DXF reader the import uses; empty: the chart's own (LoadDxfReporting).
    std::function<bool(THalvekCanvasModel& chart, const QString& fileName)> LoadDxfFile;
    bool LoadDxfReporting(THalvekCanvasModel& chart, const QString& fileName);

    // Menu and tool-bar commands that open windows or leave the program.
    void Exit1Click();
    void About1Click();
    void VesselShape1Click();
    void OpenLogFolder1Click();
    void LatencyWatchSet1Click();
    void NavigationSettings1Click();
    void mRealtimeWindow1Click();
    void OffsetsandValues1Click();
    void themeSelection1Click();
    void SoundVelocityProfile1Click();
    void Parameters1Click();
    void Echogram1Click();
    void tbRunlineClick();
    void RemoteSupport1Click();
    void bExitClick();
    void bRestartClick();

    // The remote-support program of the settings file (section SETTINGS, key
    // "Remote Support Program"); a relative name lies beside the program. Empty when
    // none is configured: the menu command is greyed then.
    static QString RemoteSupportProgram();

protected:
    void showEvent(QShowEvent* event) override;
    void FramedOnScreen() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect ChartAreaClearOfPositionBox(QRect chart) const;
    using Command = void (TFNav::*)();

    QString dataFolderFailure_;  // reported at the first show, once the message window exists

    void BuildForm();
    void BuildMenus();
    void BuildRealtimeToolBar();
    void BuildDrawToolBar();
    void BuildShapeToolBar();
    void BuildStatusBar();
    void BuildTimers();
    QToolBar* NewToolBar(const char* name);
    QAction* MakeCommand(const char* name, const QString& caption, Command handler);
    QAction* AddMenuCommand(QMenu* menu, const char* name, const QString& caption, Command handler,
                            const QKeySequence& shortcut);
    QAction* AddToolCommand(QToolBar* bar, const char* name, const QString& caption, const char* icon,
                            Command handler);

    void MakeDataFolders();
    void ReportDataFolderFailure();
    void SetApplicationIcon();
    void ApplyLanguageAndOverlaySettings();
    void ShowLanguagePanel();
    void PlaceStartWindows();
    void CreateChart();
    void CreateSerialDevices();
    void StyleRealtimeButton();
    // The Realtime button's and its bar's colours in the style in force; the caption stays.
    void ShowRealtimeColours(bool running);
    // Gives a tool bar's icons the line colour that stands out from the bar.
    void ShowToolIcons(QToolBar* bar, const QColor& barColour);
    void SetCadMode(int mode);
    // A drawing mode: the next shapes go to the user-shape layer.
    void SetDrawingMode(int mode);
    void InstallKeyPreview();
    bool Confirmed(const QString& question);
    void ClearTrackLayer(const char* layer, const char* question, const char* logText);
    void ArmSelection(bool tracks);
    void DeleteSelection();
    void SelectWithPolygon(int action, const std::vector<std::pair<double, double>>& polygon);
    void ShowClickedPoint(double x, double y);
    void ToggleMeasure(double x, double y);
    void RestoreLayoutFromChart();
    void ReportEventNotLogged(int number, const std::string& logFile);
    void ShowLastLayoutAndView();
    void ClearLayerByName(const QString& name);
    // File commands.
    QString ChooseLayoutFile(bool forSaving, const QStringList& filters, const QString& suffix);
    void ClearVesselAndGrid();
    bool WriteLayout(const QString& fileName, const QString& failedEvent);
    SaveProblems SaveLayout(const QString& savedEvent, const QString& failedEvent, bool showSettingsProblem);
    QString RememberLastSave(const QString& fileName, bool showProblem);
    bool SaveSoundVelocityCopies();
    bool CloseAfterFailedSave(const SaveProblems& problems);
    void ExportDxf(const QString& fileName);
    void ReloadLastLayout(const QString& fileName);
    void ApplyChartView(const ChartViewSettings& view);
    ChartViewSettings CurrentChartView() const;
    void ApplyScreenshotInterval(int seconds);
    void CloseToolWindows();
    void CreateSurvey();
    void CreateScreenshots();
    // Runs an engine handler under the handler guard (nothing once the engine is gone).
    template <class Result, class... Parameters, class... Arguments>
    void ForwardToSurvey(Result (SurveyEngine::*handler)(Parameters...), Arguments&&... arguments);

    bool shown_ = false;
    bool realtimeRunning_ = false;   // as the Realtime button last showed it
    bool restylingBars_ = false;     // the bars' own palette changes are not a change of style
    std::unique_ptr<SerialCorrectionSink> gpsCorrectionSink_;
    std::unique_ptr<SurveyClock> surveyClock_;
    std::unique_ptr<SerialSurveyDevices> surveyDevices_;
    std::unique_ptr<NavSurveySettings> surveySettings_;
    std::unique_ptr<NavSurveyView> surveyView_;
    std::unique_ptr<SurveyEngine> survey_;
    std::unique_ptr<ScreenshotTaker> screenshots_;
    // Held from a close that went on without the settings file to the end of the run.
    std::unique_ptr<skerra::SettingsWriteFailureTold> settingsFailureTold_;
    // The survey grid of the running KML/KMZ import.
    std::shared_ptr<skerra::survey::GridProjection> importGrid_;
};

extern TFNav* FNav;

// Puts the language in force onto the main window's menu and fixed tool-bar captions
// and onto the windows that show translated captions.
void ApplyTranslation(TFNav& nav);
