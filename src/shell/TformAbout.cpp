#include "TformAbout.h"

#include "platform/DesignBackground.h"
#include "platform/HandlerGuard.h"
#include "platform/ScreenPlacement.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TformAbout* formAbout = nullptr;

namespace {

constexpr int InnerWidth = 340;

}  // namespace

TformAbout::TformAbout(QWidget* parent)
    : FormOf(formAbout, QStringLiteral("formAbout"), QStringLiteral("About Skerra"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnMain);
    // A single border without border icons: only the OK button (or Enter) closes it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // White with black text by day; a dark style's own colours at night.
    skerra::showDesignBackground(this, Qt::white);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 6);
    layout->setSpacing(10);

    QWidget* product = addPanel("Panel1");
    SoftName = addCentredLabel(product, "SoftName", QStringLiteral("Skerra"));
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(19);
    nameFont.setBold(true);
    SoftName->setFont(nameFont);
    Version = addCentredLabel(product, "Version", QStringLiteral("Version 6.7.10"));
    QFont versionFont = Version->font();
    versionFont.setBold(true);
    Version->setFont(versionFont);

    QWidget* maker = addPanel("Panel2");
    MakerNotice1 = addCentredLabel(maker, "MakerNotice1", QStringLiteral("Single-beam hydrographic survey"));
    MakerNotice2 = addCentredLabel(maker, "MakerNotice2", QStringLiteral("Copyright \u00A9 the Skerra developers"));

    BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFixedSize(329, 37);
    layout->addWidget(BitBtn2, 0, Qt::AlignHCenter);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { close(); }); });

    setFixedWidth(InnerWidth);
    setFixedHeight(sizeHint().height());
}

QWidget* TformAbout::addPanel(const char* name)
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 2, 6, 2);
    column->setSpacing(4);
    static_cast<QVBoxLayout*>(layout())->addWidget(panel);
    return panel;
}

QLabel* TformAbout::addCentredLabel(QWidget* panel, const char* name, const QString& text)
{
    auto* label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    panel->layout()->addWidget(label);
    return label;
}

void TformAbout::ShowModal()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    BitBtn2->setFocus();
    QEventLoop loop;
    modalLoop_ = &loop;
    if (isVisible()) loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
    setWindowModality(Qt::NonModal);
}

void TformAbout::centreOnMainWindow() { skerra::placeByDefault(this, skerra::DefaultPlace::CentredOnMain); }

void TformAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        BitBtn2->click();
        return;
    }
    Form::keyPressEvent(event);
}

void TformAbout::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { centreOnMainWindow(); });
}

void TformAbout::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    if (modalLoop_ && !event->spontaneous()) modalLoop_->quit();
}
