#pragma once
// Number edits of the settings windows: what they let the user type, and the small
// up-down buttons beside some of them. The buttons never take the focus.

#include <QWidget>

class QLineEdit;

namespace skerra {

// Digits only, at most maxDigits of them.
void acceptDigits(QLineEdit* edit, int maxDigits);
// A whole number from 0 to max.
void acceptWholeNumberUpTo(QLineEdit* edit, int max);
// A real of 0 or more with "." as the decimal point.
void acceptPositiveReal(QLineEdit* edit);

// Two stacked arrow buttons that step the edit's whole number by `step` within
// [min, max]; a text that is not a number steps from min.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* edit, int min, int max, int step, QWidget* parent);
    void stepBy(int steps);

private:
    QLineEdit* edit_;
    int min_, max_, step_;
};

}  // namespace skerra
