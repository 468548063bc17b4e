#include "StartUp.h"

#include "shell/SharedHeader.h"
#include "shell/StartupSettings.h"
#include "platform/AboveToolWindows.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/ModalAbove.h"
#include "platform/ProgramRestart.h"
#include "platform/SkerraApplication.h"
#include "platform/StyleRegistry.h"

#include "shell/TFGPS.h"
#include "shell/TFMsg.h"
#include "shell/TFShape.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfLatency.h"
#include "shell/TfTheme.h"
#include "shell/TfTranslationEditor.h"
#include "shell/TformAbout.h"
#include "canvas/widget/THalvekCanvas.h"
#include "devices/windows/TfRTCMParsing.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "navigation/TFNav.h"
#include "navigation/TfJoystick.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfRunline1.h"
#include "navigation/TfWaterfal.h"
#include "navigation/survey/SurveyEngine.h"
#include "soundvelocity/TfSVP.h"
#include "soundvelocity/TfSVPGraph.h"

#include <QCheckBox>
#include <QToolButton>

namespace skerra {

void applyStartupStyle(const QString& name)
{
    if (name != DefaultStyleName) trySetStyle(name, true);
}

namespace {

// Lets windows of lower libraries reach windows above them once all exist.
void connectToolWindows()
{
    Offsets->SetWindowHooks([] { showAboveToolWindows(fSVP); }, [] { showModalAbove(frmNTRIPSettings, Offsets); },
                            [] { return fSVP->cUseSVP->isChecked(); });
    fSVP->SaveCommand = [] { FNav->AutomaticSave(); };
    // The confirmation saves the layout first, then starts the survey as the user
    // would, with a click of Realtime.
    Offsets->SetSurveyHooks([] { return FNav->Survey().State().RealtimeState == 1; },
                            [] { FNav->Realtime->click(); }, [] { FNav->AutomaticSave(); });
    FGPS->SetScreenshotTimer(FNav->tScreenshot);
    // The offsets window's edits bring up the main window's keypad or keyboard.
    Offsets->SetKeyboardHooks([](QWidget* edit) { FNav->ShowNumericKeypad(edit); },
                              [](QWidget* edit) { FNav->ShowSimpleKeyboard(edit); });
    // Corrections reach the receiver from the start (an automatic connect at start-up
    // included), not only once the NTRIP window is opened from the menu.
    frmNTRIPSettings->SetGPSPort(FNav->GpsCorrectionSink(), QString());
    QObject::connect(FGPS, &TFGPS::StatusLineRequested, FMsg, &TFMsg::addStatusLine);
    QObject::connect(Navset, &TNavset::StatusLineRequested, FMsg, &TFMsg::addStatusLine);
    QObject::connect(frmNTRIPSettings, &TfrmNTRIPSettings::StatusLineRequested, FMsg, &TFMsg::addStatusLine);
    // The realtime window's depth frames follow the sounder's message type.
    QObject::connect(FGPS, &TFGPS::LowFrequencyDepthRequested, fRealtime, [](bool show) {
        if (show)
            fRealtime->ShowLowFrequencyDepth();
        else
            fRealtime->HideLowFrequencyDepth();
    });
    QObject::connect(fRealtime, &TfRealtime::StartupTypeRequested, FGPS, &TFGPS::cSBESMessageStartup);
    fWaterfal->SetEchogramTimer(FNav->tEchogram);
}

}  // namespace

std::vector<QWidget*> createApplicationWindows()
{
    std::vector<QWidget*> w;
    w.push_back(new TFNav);
    w.push_back(new TNavset);
    Navset->SetCanvas(FNav->fcad);
    Navset->SetMapTimer(FNav->tMap);
    w.push_back(new TFShape);
    w.push_back(new TFGPS);
    FGPS->SetDevices(FNav->ZGPS1, FNav->ZSENSOR);
    FGPS->SetCanvas(FNav->fcad);
    w.push_back(new TfRealtime);
    w.push_back(new TFMsg);
    w.push_back(new TOffsets);
    w.push_back(new TformAbout);
    w.push_back(new TfSVP);
    w.push_back(new TfRunline1);
    w.push_back(new TfLatency);
    w.push_back(new TfWaterfal);
    w.push_back(new TfTheme);
    fTheme->SetCanvas(FNav->fcad, FNav);
    w.push_back(new TfJoystick);
    w.push_back(new TfSVPGraph);
    w.push_back(new TfrmNTRIPSettings);
    w.push_back(new TfRTCMParsing);
    connectToolWindows();
    return w;
}

void destroyApplicationWindows(std::vector<QWidget*>& windows)
{
    delete fTranslationEditor;  // made on demand, lives until the program ends
    while (!windows.empty()) {
        delete windows.back();
        windows.pop_back();
    }
}

QString applyCommandLinePaths(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const QString error = applyPathArguments(arguments);
    // The folder names were built at start-up, before the data root was known.
    InitSharedHeaderGlobals();
    return error;
}

int runSkerra(int argc, char** argv)
{
    // Read before anything else happens; the file is closed again at once.
    const StartupSettings settings = readStartupSettings(IniFile(settingsFilePath()));
    applyOverlaySettings(settings);

    SkerraApplication app(argc, argv);
    std::vector<QWidget*> windows;
    try {
        applyStartupStyle(settings.themeStyle);
        QApplication::setApplicationName(QStringLiteral("Skerra"));
        QApplication::setQuitOnLastWindowClosed(false);  // the main window's close ends the run
        windows = createApplicationWindows();
        windows.front()->show();
        QApplication::exec();
    } catch (...) {
        showCurrentException(nullptr);
    }
    destroyApplicationWindows(windows);
    // A restart asked for from the tool bar: the new instance starts only now.
    startRequestedInstance();
    return 0;
}

}  // namespace skerra
