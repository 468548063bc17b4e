#pragma once
// The application object. It resets the C library's number locale to "C" (QApplication
// takes it from the environment) and is the last net for exceptions: one that reaches
// notify() is shown by the exception dialog and the event loop goes on.

#include <QApplication>

namespace skerra {

class SkerraApplication : public QApplication {
public:
    SkerraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Sets LC_NUMERIC to "C". Called by SkerraApplication and by test mains.
void resetNumericLocale();

}  // namespace skerra
