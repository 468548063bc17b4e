#include "ProgramRestart.h"

#include <QCoreApplication>
#include <QProcess>

namespace skerra {

namespace {

bool requested = false;

bool startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

ProgramLauncher& launcher()
{
    static ProgramLauncher current = startDetached;
    return current;
}

}  // namespace

void requestRestart() { requested = true; }
void cancelRestart() { requested = false; }
bool restartRequested() { return requested; }

void setProgramLauncher(ProgramLauncher replacement)
{
    launcher() = replacement ? std::move(replacement) : ProgramLauncher(startDetached);
}

bool startRequestedInstance()
{
    if (!requested) return false;
    requested = false;
    // The same settings file and data folder as this run.
    return launcher()(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
}

}  // namespace skerra
