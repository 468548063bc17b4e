// The File menu's chart commands: New, Open, Save, Save As and Export, and the
// reload of the last automatic save at start-up.

#include "navigation/TFNav.h"

#include "canvas/widget/THalvekCanvas.h"
#include "chartfiles/LayoutFile.h"
#include "navigation/FileDialogs.h"
#include "navigation/NavLayers.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"
#include "shell/TFMsg.h"
#include "soundvelocity/TfSVP.h"

#include <QFileInfo>

#include <exception>

namespace {

const QStringList kLayoutFilters = {QStringLiteral("Qamet [*.qmt] (*.qmt)"), QStringLiteral("All Files [*.*] (*)")};
const QStringList kDxfFilters = {QStringLiteral("AutoCAD R12 DXF [*.dxf] (*.dxf)"),
                                 QStringLiteral("All Files [*.*] (*)")};

void logEvent(const QString& text) { AppendAutoEvent(text.toStdString(), TodaysEventLogPath()); }

// The dated name of an automatic save: the start day's layout folder, the date
// and the time (hours and minutes) of the save.
QString automaticSaveName()
{
    return QString::fromStdString(LayoutFolder + GetDateString() + " " + GetTimeString() + ".qmt");
}

}  // namespace

QString TFNav::ChooseLayoutFile(bool forSaving, const QStringList& filters, const QString& suffix)
{
    skerra::FileDialogRequest request;
    request.kind = forSaving ? skerra::FileDialogKind::Save : skerra::FileDialogKind::Open;
    request.objectName = forSaving ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1");
    request.title = forSaving ? QStringLiteral("Dialog Save") : QStringLiteral("Dialog Open");
    request.filters = filters;
    request.defaultSuffix = suffix;
    request.folder = QString::fromStdString(LayoutFolder);
    request.parent = this;
    const QString chosen = skerra::chooseFile(request);
    return forSaving ? skerra::withDefaultSuffix(chosen, suffix) : chosen;
}

// The vessel and the grid are drawn again by the survey loop: they are never saved.
void TFNav::ClearVesselAndGrid()
{
    ClearLayerByName(QStringLiteral("Halvek Grid"));
    ClearLayerByName(QStringLiteral("~~Halvek Vessel"));
}

bool TFNav::WriteLayout(const QString& fileName, const QString& failedEvent)
{
    ClearVesselAndGrid();
    const LayoutResult result = CadSave(*fcad, fileName);
    if (result)
        return true;
    logEvent(failedEvent + fileName + QStringLiteral(" (") + result.reason + QStringLiteral(")"));
    skerra::showError(QStringLiteral("The layout could not be saved to %1\n(%2).").arg(fileName, result.reason),
                      this);
    return false;
}

void TFNav::New1Click()
{
    skerra::MessageRequest question;
    question.kind = skerra::MessageKind::Warning;
    question.title = QStringLiteral("Skerra");
    question.text = QStringLiteral("Entire layout will be cleared! Continue?");
    question.buttons = skerra::MbYes | skerra::MbNo;
    question.defaultButton = skerra::MbNo;
    question.parent = this;
    if (skerra::showMessage(question) != skerra::MbYes)
        return;
    fcad->CadClearShapes(-1);
    fcad->ClearDepthLabels();
    fcad->ClearEventLabels();
    logEvent(QStringLiteral("New layout - cleared all shapes"));
    EnsureNavLayers(*fcad);
}

void TFNav::Open1Click()
{
    const QString fileName = ChooseLayoutFile(false, kLayoutFilters, QStringLiteral("qmt"));
    if (fileName.isEmpty())
        return;
    const LayoutResult result = CadLoad(*fcad, fileName, LayoutLoadMode::Merge);
    if (!result) {
        skerra::showError(QStringLiteral("%1 could not be opened (%2).").arg(fileName, result.reason), this);
        return;
    }
    ShowLastFileFolder(fileName);
    logEvent(QStringLiteral("Opened file: ") + fileName);
    const QString leftOut = LayoutLeftOutText(result, fileName);
    if (!leftOut.isEmpty()) {
        logEvent(leftOut);
        skerra::showInformation(leftOut, this);
    }
    ClearVesselAndGrid();
    EnsureNavLayers(*fcad);
}

// The user's own save (menu, tool button, Ctrl+S) is logged as such.
void TFNav::Save1Click() { SaveLayout(QStringLiteral("Saved: "), QStringLiteral("Save FAILED: "), true); }

bool TFNav::AutomaticSave() { return SaveAutomatically(true).none(); }

TFNav::SaveProblems TFNav::SaveAutomatically(bool showSettingsProblem)
{
    return SaveLayout(QStringLiteral("Auto-saved: "), QStringLiteral("Auto-save FAILED: "), showSettingsProblem);
}

TFNav::SaveProblems TFNav::SaveLayout(const QString& savedEvent, const QString& failedEvent, bool showSettingsProblem)
{
    SaveProblems problems;
    try {
        const QString fileName = automaticSaveName();
        problems.layout = !WriteLayout(fileName, failedEvent);
        if (!problems.layout) {
            logEvent(savedEvent + fileName);
            setWindowTitle(QStringLiteral("Skerra - ") + fileName);
            problems.settings = RememberLastSave(fileName, showSettingsProblem);
        }
    } catch (const std::exception& e) {
        problems.layout = true;
        skerra::showError(QStringLiteral("The layout could not be saved (%1).").arg(QString::fromUtf8(e.what())),
                          this);
    }
    problems.soundVelocityLists = !SaveSoundVelocityCopies();
    return problems;
}

// The next start reopens the layout the settings file names; when that file cannot
// be written, the layout is saved but the next start would reopen an older one.
// Returns the message (empty when the file was written), shown when asked.
QString TFNav::RememberLastSave(const QString& fileName, bool showProblem)
{
    const QString settings = skerra::settingsFilePath();
    try {
        skerra::IniFile ini(settings);
        ini.WriteString(QStringLiteral("FILE"), QStringLiteral("Last File Saved"), fileName);
        return {};
    } catch (const std::exception& e) {
        const auto* refused = dynamic_cast<const skerra::IniWriteError*>(&e);
        const QString reason = refused ? refused->reason() : QString::fromUtf8(e.what());
        logEvent(QStringLiteral("Settings file not written: ") + settings + QStringLiteral(" (") + reason +
                 QStringLiteral(")"));
        const QString problem = QStringLiteral("The layout was saved to %1, but the settings file %2 could not be "
                                               "written (%3).\nThe next start will not reopen this layout.")
                                    .arg(fileName, settings, reason);
        if (showProblem)
            skerra::showError(problem, this);
        return problem;
    }
}

// The sound-velocity lists' dated copies, while a profile is in use; a file that
// cannot be written is named in a message by the sound-velocity window.
bool TFNav::SaveSoundVelocityCopies() { return SaveDatedSoundVelocityLists(); }

// After a save that failed at closing, the user is asked, once, naming what failed.
// Closing now would lose what was not written, so the default is to stay open (to
// free space or use Save As).
bool TFNav::CloseAfterFailedSave(const SaveProblems& problems)
{
    QString text;
    if (problems.layout)
        text = QStringLiteral("The chart could not be saved. Close Skerra anyway?\n"
                              "Changes since the last good save will be lost.");
    else if (!problems.settings.isEmpty())
        text = problems.settings + QStringLiteral("\nSettings and window places changed in this run will not be kept "
                                                  "either. Close Skerra anyway?");
    else
        text = QStringLiteral("The sound-velocity lists could not be saved. Close Skerra anyway?");
    skerra::MessageRequest question;
    question.kind = skerra::MessageKind::Warning;
    question.title = QStringLiteral("Skerra");
    question.text = text;
    question.buttons = skerra::MbYes | skerra::MbNo;
    question.defaultButton = skerra::MbNo;
    question.parent = this;
    return skerra::showMessage(question) == skerra::MbYes;
}

void TFNav::SaveAs1Click()
{
    const QString fileName = ChooseLayoutFile(true, kLayoutFilters, QStringLiteral("qmt"));
    if (fileName.isEmpty())
        return;
    if (!WriteLayout(fileName, QStringLiteral("Save As FAILED: ")))
        return;
    setWindowTitle(QStringLiteral("Skerra  <") + fileName + QStringLiteral(">"));
    logEvent(QStringLiteral("Saved As: ") + fileName);
}

void TFNav::Export1Click()
{
    const QString fileName = ChooseLayoutFile(true, kDxfFilters, QStringLiteral("dxf"));
    if (!fileName.isEmpty())
        ExportDxf(fileName);
}

// The chart as an R12 drawing, without the boat and the grid the survey draws; a file
// that cannot be written is named (the previous file, if any, stays as it was).
void TFNav::ExportDxf(const QString& fileName)
{
    QString reason;
    if (!fcad->DXFSave(fileName, {VesselLayerId, GridLayerId}, &reason))
        skerra::showError(QStringLiteral("%1 could not be written (%2).").arg(fileName, reason), this);
}

void TFNav::ReloadLastLayout(const QString& fileName)
{
    if (!fcad || fileName.isEmpty() || !QFileInfo::exists(fileName))
        return;
    const LayoutResult result = CadLoad(*fcad, fileName, LayoutLoadMode::Replace);
    const QString text = result ? LayoutLeftOutText(result, fileName)
                                : QStringLiteral("Layout not reloaded: %1 (%2)").arg(fileName, result.reason);
    if (result)
        ShowLastFileFolder(fileName);
    if (text.isEmpty())
        return;
    if (FMsg)
        FMsg->addStatusLine(text, true);
    logEvent(text);
}
