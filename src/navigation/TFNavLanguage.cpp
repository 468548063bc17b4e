// The user-interface language on the windows: the walk over the windows, the status
// bar's language toggle and the translation editor.

#include "navigation/TFNav.h"

#include "TfRealtime.h"
#include "TfRunline1.h"
#include "TfWaterfal.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "platform/AboveToolWindows.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "shell/ControlCaptions.h"
#include "shell/TFGPS.h"
#include "shell/TFMsg.h"
#include "shell/TFShape.h"
#include "shell/THalvekTranslation.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfTheme.h"
#include "shell/TfTranslationEditor.h"
#include "shell/TformAbout.h"
#include "soundvelocity/TfSVP.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

namespace {

// Tool-bar commands get their captions from fixed keys, in every language.
const struct {
    const char* control;
    const char* key;
} FixedToolCaptions[] = {
    {"bSelectTracks", "Select Tracks"}, {"bDelSelected", "Delete Selected"}, {"bFollowVessel", "Follow Vessel"},
    {"ToolButton13", "Do Not Follow"},  {"ConnectIcon", "Connect"},          {"ToolButton11", "Clear Shapes"},
    {"btEventAdd", "Add Event"},        {"btEventReset", "Reset Event"},     {"Zoomin", "Zoom In"},
    {"Zoomout", "Zoom Out"},            {"bOpen", "Open"},                    {"bSave", "Save"},
    {"tbRunline", "Runline"},
};

QObject* findControl(QWidget* window, const char* name)
{
    return window ? window->findChild<QObject*>(QString::fromLatin1(name)) : nullptr;
}

}  // namespace

void ApplyTranslation(TFNav& nav)
{
    if (!Translation) return;
    if (nav.MainMenu1)
        for (QAction* item : nav.MainMenu1->actions()) TranslateMenuItem(item);
    if (nav.Realtime) {
        SetCaptionFromKey(nav.Realtime, nav.Realtime->isChecked() ? QStringLiteral("Stop") : QStringLiteral("Realtime"));
        nav.FitRealtimeButton();
    }
    for (const auto& fixed : FixedToolCaptions)
        if (QObject* control = findControl(&nav, fixed.control)) SetCaptionFromKey(control, QString::fromLatin1(fixed.key));

    // The main window's title is the program's name and the layout's path.
    TranslateFormControls(&nav);
    for (QWidget* window : std::initializer_list<QWidget*>{fRealtime, Navset, Offsets, FShape, fSVP, formAbout, FMsg,
                                                          FGPS, frmNTRIPSettings, fRunline1})
        TranslateForm(window);
    if (fWaterfal) SetCaptionFromKey(fWaterfal, QStringLiteral("Acoustics Waterfall"));
    if (fTheme) {
        SetCaptionFromKey(fTheme, QStringLiteral("Theme Selection"));
        SetCaptionFromKey(findControl(fTheme, "bSaveExit"), QStringLiteral("Save && Exit"));
        SetCaptionFromKey(findControl(fTheme, "bCancel"), QStringLiteral("Cancel"));
    }
}

void TFNav::StatusBarDblClick()
{
    QLabel* panel = sStatusBar ? StatusPanel(4) : nullptr;
    if (!Translation || !panel) return;
    if (Translation->IsEnglish()) {
        Translation->SetLanguage("tr");
        panel->setText(QStringLiteral("TR"));
    } else {
        Translation->SetLanguage("en");
        panel->setText(QStringLiteral("EN"));
    }
    ApplyTranslation(*this);
    skerra::IniFile ini(skerra::settingsFilePath());
    ini.WriteString(QStringLiteral("SETTINGS"), QStringLiteral("Language"),
                    QString::fromStdString(Translation->CurrentLanguage));
}

void TFNav::TranslationEditor1Click()
{
    if (!fTranslationEditor) new TfTranslationEditor;
    skerra::showAboveToolWindows(fTranslationEditor);
}
