#include "SkerraApplication.h"

#include "HandlerGuard.h"
#include "WidgetMessageBox.h"

#include <clocale>

namespace skerra {

void resetNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

SkerraApplication::SkerraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    resetNumericLocale();
    installWidgetMessageBoxes();
}

bool SkerraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException(nullptr);
        return false;
    }
}

}  // namespace skerra
