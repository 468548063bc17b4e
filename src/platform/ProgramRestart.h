#pragma once
// Restarting the program: the running instance asks for a restart, closes in its
// usual orderly way, and only when it has finished closing (windows gone, ports
// closed, settings written) is the new instance started, with the same arguments.

#include <QString>
#include <QStringList>

#include <functional>

namespace skerra {

// Starts a program with arguments, detached; true when it started.
using ProgramLauncher = std::function<bool(const QString& program, const QStringList& arguments)>;

void requestRestart();
// Withdraws the request (the instance did not close after all).
void cancelRestart();
bool restartRequested();

// Tests put a recording launcher in; an empty one restores the real one.
void setProgramLauncher(ProgramLauncher launcher);

// At the very end of the run: starts this program again when a restart was asked for,
// and clears the request. True when a new instance was started.
bool startRequestedInstance();

}  // namespace skerra
