#include "TfLatency.h"

#include "LatencyColour.h"
#include "platform/Contrast.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

TfLatency* fLatency = nullptr;

namespace {

const QString Section = QStringLiteral("LATENCY");
const QString ToleranceKey = QStringLiteral("eLatencyTol");
constexpr int DefaultTolerance = 500;

}  // namespace

TfLatency::TfLatency(QWidget* parent) : FormOf(fLatency, QStringLiteral("fLatency"), QStringLiteral("Latency"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::ChartLowerLeft);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    gLatency = new QGroupBox(QStringLiteral("Latency (milisecond)"), this);
    gLatency->setObjectName(QStringLiteral("gLatency"));
    gLatency->setAutoFillBackground(true);
    auto* grid = new QGridLayout(gLatency);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    eCurrentLatency = addLabelledEdit("eCurrentLatency", QStringLiteral("Current"), 0);
    eLatencyAveraged = addLabelledEdit("eLatencyAveraged", QStringLiteral("Averaged"), 1);
    eLatencyTol = addLabelledEdit("eLatencyTol", QStringLiteral("Tolerence"), 2);
    for (QLineEdit* display : {eCurrentLatency, eLatencyAveraged}) {
        // Display only, yet as legible as the tolerance: the numbers are what the user watches.
        display->setEnabled(false);
        QPalette legible = display->palette();
        legible.setColor(QPalette::Disabled, QPalette::Text, legible.color(QPalette::Active, QPalette::Text));
        display->setPalette(legible);
    }
    eLatencyTol->setText(QStringLiteral("500"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(gLatency);

    connect(eCurrentLatency, &QLineEdit::textChanged, this,
            [this] { skerra::guarded(this, [this] { eCurrentLatencyChange(); }); });
    connect(eLatencyTol, &QLineEdit::textChanged, this,
            [this] { skerra::guarded(this, [this] { eLatencyTolChange(); }); });

    skerra::guarded(this, [this] { FormCreate(); });
    adjustSize();
    setDesignedPlace({0, 0});
}

QLineEdit* TfLatency::addLabelledEdit(const char* name, const QString& label, int column)
{
    auto* grid = static_cast<QGridLayout*>(gLatency->layout());
    auto* caption = new QLabel(label, gLatency);
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    auto* edit = new QLineEdit(gLatency);
    edit->setObjectName(QString::fromLatin1(name));
    // Wide enough for the caption above it and a latency such as "12345.6".
    const int digits = edit->fontMetrics().horizontalAdvance(QStringLiteral("000000.0")) + 12;
    edit->setFixedWidth(std::max(digits, caption->sizeHint().width()));
    caption->setBuddy(edit);
    grid->addWidget(caption, 0, column);
    grid->addWidget(edit, 1, column);
    return edit;
}

void TfLatency::FormCreate()
{
    const skerra::IniFile ini(skerra::settingsFilePath());
    const int tolerance = ini.ReadInteger(Section, ToleranceKey, DefaultTolerance);
    eLatencyTol->setText(QString::fromStdString(skerra::IntToStr(tolerance)));
}

void TfLatency::eLatencyTolChange()
{
    skerra::IniFile ini(skerra::settingsFilePath());
    ini.WriteString(Section, ToleranceKey, eLatencyTol->text());
}

void TfLatency::eCurrentLatencyChange()
{
    const std::optional<TColor> colour = skerra::latencyColour(eCurrentLatency->text(), eLatencyTol->text());
    if (!colour) return;
    QPalette palette = gLatency->palette();
    skerra::setReadableBackground(palette, QPalette::Window, skerra::toQColor(*colour));
    gLatency->setPalette(palette);
}

void TfLatency::SetLatencyTexts(const QString& current, const QString& averaged)
{
    eCurrentLatency->setText(current);
    eLatencyAveraged->setText(averaged);
}
