#include "LanguageCoverage.h"

#include "shell/SharedHeader.h"
#include "StartUp.h"
#include "shell/THalvekTranslation.h"
#include "shell/TfTranslationEditor.h"
#include "navigation/TFNav.h"
#include "platform/AppPaths.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <set>

namespace skerra {

namespace {

// The program's folders and translation object for one check, put back afterwards.
class TemporaryProgramFolders {
public:
    TemporaryProgramFolders()
        : previousProgram_(programFolder()), previousData_(dataRoot()), previousTranslation_(Translation)
    {
        setProgramFolderForTesting(program_.path());
        setDataRootForTesting(data_.path());
        InitSharedHeaderGlobals();
        previousHandler_ = setMessageHandler([](const MessageRequest& r) { return r.defaultButton; });
        Translation = nullptr;
    }
    ~TemporaryProgramFolders()
    {
        delete Translation;
        Translation = previousTranslation_;
        setMessageHandler(previousHandler_);
        setProgramFolderForTesting(previousProgram_);
        setDataRootForTesting(previousData_);
        InitSharedHeaderGlobals();
    }
    QString Languages() const { return program_.path() + "/Languages/"; }

private:
    QTemporaryDir program_, data_;
    QString previousProgram_, previousData_;
    THalvekTranslation* previousTranslation_;
    MessageHandler previousHandler_;
};

}  // namespace

LanguageCoverage checkLanguageCoverage(const QString& turkishFile)
{
    LanguageCoverage result;
    TemporaryProgramFolders folders;
    QDir().mkpath(folders.Languages());
    if (!QFile::copy(turkishFile, folders.Languages() + "tr.json")) {
        result.problem = turkishFile + ": cannot be read";
        return result;
    }
    Translation = new THalvekTranslation;
    if (!Translation->LoadProblem.empty()) {
        result.problem = QString::fromStdString(Translation->LoadProblem);
        return result;
    }
    std::set<std::string> missing;
    Translation->OnMissingKey = [&](const std::string& key) { missing.insert(key); };

    std::vector<QWidget*> windows = createApplicationWindows();
    FNav->show();  // the walk of the first show, in English
    QCoreApplication::processEvents();
    FNav->StatusBarDblClick();  // to Turkish: the whole walk again
    FNav->TranslationEditor1Click();
    QCoreApplication::processEvents();
    destroyApplicationWindows(windows);

    for (const std::string& key : missing) result.missingKeys << QString::fromStdString(key);
    return result;
}

}  // namespace skerra
