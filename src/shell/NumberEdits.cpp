#include "NumberEdits.h"

#include "platform/HandlerGuard.h"
#include "platform/NumberText.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace skerra {
namespace {

void acceptPattern(QLineEdit* edit, const QString& pattern)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
}

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setFixedSize(16, 11);
    return button;
}

}  // namespace

void acceptDigits(QLineEdit* edit, int maxDigits)
{
    acceptPattern(edit, QStringLiteral("[0-9]{0,%1}").arg(maxDigits));
    edit->setMaxLength(maxDigits);
}

void acceptWholeNumberUpTo(QLineEdit* edit, int max)
{
    const int digits = int(QString::number(max).size());
    acceptDigits(edit, digits);
    // The validator lets every prefix through; a larger number is cut back to max.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, max](const QString& text) {
        const std::optional<int> n = tryParseInt(text.toStdString());
        if (n && *n > max) edit->setText(QString::number(max));
    });
}

void acceptPositiveReal(QLineEdit* edit)
{
    acceptPattern(edit, QStringLiteral("[0-9]{0,7}(\\.[0-9]{0,4})?"));
}

UpDown::UpDown(QLineEdit* edit, int min, int max, int step, QWidget* parent)
    : QWidget(parent), edit_(edit), min_(min), max_(max), step_(step)
{
    setObjectName(edit->objectName() + QStringLiteral("UpDown"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = arrowButton(this, Qt::UpArrow, objectName() + QStringLiteral("Up"));
    QToolButton* down = arrowButton(this, Qt::DownArrow, objectName() + QStringLiteral("Down"));
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { guarded(this, [this] { stepBy(1); }); });
    connect(down, &QToolButton::clicked, this, [this] { guarded(this, [this] { stepBy(-1); }); });
}

void UpDown::stepBy(int steps)
{
    const int now = std::clamp(StrToIntDef(edit_->text().toStdString(), min_), min_, max_);
    const int next = std::clamp(now + steps * step_, min_, max_);
    edit_->setText(QString::fromStdString(IntToStr(next)));
}

}  // namespace skerra
