#pragma once
// The program's start-up: settings read before any window, the visual style, the
// seventeen windows in their fixed order, the event loop.

#include <QString>
#include <QWidget>
#include <vector>

namespace skerra {

// Applies the named style unless it is exactly "Skerra - Default"; an unknown name
// shows "Style '<name>' not found" and start-up goes on with the platform's look.
void applyStartupStyle(const QString& name);

// Creates the windows in start-up order (the main window first) and returns them.
std::vector<QWidget*> createApplicationWindows();

// Destroys the windows in reverse order of creation.
void destroyApplicationWindows(std::vector<QWidget*>& windows);

// Applies the command line's path options (--settings, --data-root, see AppPaths.h)
// and rebuilds the day's folder names for the data root they name. Returns an
// error text for a malformed option, else an empty text.
QString applyCommandLinePaths(int argc, char** argv);

// The whole program: returns 0 when the main window has closed, also after an error
// that reached start-up was shown.
int runSkerra(int argc, char** argv);

}  // namespace skerra
