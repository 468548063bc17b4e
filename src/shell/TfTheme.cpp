#include "TfTheme.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/ScreenPlacement.h"
#include "platform/IniFile.h"
#include "platform/StyleRegistry.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfTheme* fTheme = nullptr;

namespace {

constexpr QSize kClientSize(320, 612);

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// The platform's own look first, then the program's styles.
QStringList offeredStyles() { return QStringList{skerra::DefaultStyleName} + skerra::styleNames(); }

}  // namespace

TfTheme::TfTheme(QWidget* parent) : FormOf(fTheme, QStringLiteral("fTheme"), QStringLiteral("Theme Selection"), parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnOpener);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFont(QFont(QStringLiteral("Tahoma"), 9));
    CreateControls();
    resize(kClientSize.expandedTo(minimumSizeHint()));
}

void TfTheme::CreateControls()
{
    gThemeFrame = new QGroupBox(QStringLiteral("Select Theme"), this);
    gThemeFrame->setObjectName(QStringLiteral("gThemeFrame"));
    lbThemeList = new QListWidget(gThemeFrame);
    lbThemeList->setObjectName(QStringLiteral("lbThemeList"));
    lInfo = new QLabel(QStringLiteral("Available themes: 0. Select to preview."), gThemeFrame);
    lInfo->setObjectName(QStringLiteral("lInfo"));
    auto* frame = new QVBoxLayout(gThemeFrame);
    frame->addWidget(lbThemeList, 1);
    frame->addWidget(lInfo);

    bSaveExit = makeButton(this, "bSaveExit", "Save && Exit");
    bCancel = makeButton(this, "bCancel", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bSaveExit);
    buttons->addWidget(bCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gThemeFrame, 1);
    layout->addLayout(buttons);

    // A click, or the arrow keys, previews the item that becomes current.
    connect(lbThemeList, &QListWidget::itemClicked, this, [this] { skerra::guarded(this, [this] { lbThemeListClick(); }); });
    connect(lbThemeList, &QListWidget::currentRowChanged, this, [this] {
        if (isVisible() && lbThemeList->hasFocus()) skerra::guarded(this, [this] { lbThemeListClick(); });
    });
    connect(bSaveExit, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { bSaveExitClick(); }); });
    connect(bCancel, &QPushButton::clicked, this, [this] { skerra::guarded(this, [this] { bCancelClick(); }); });
}

void TfTheme::SetCanvas(THalvekCanvasCore* canvas, QWidget* mainWindow)
{
    canvas_ = canvas;
    mainWindow_ = mainWindow;
    setOpener(mainWindow);
}

void TfTheme::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!event->spontaneous()) skerra::guarded(this, [this] { FormShow(); });
}

void TfTheme::closeEvent(QCloseEvent* event)
{
    // The close box is a Cancel.
    if (!settled_) skerra::guarded(this, [this] { RestorePrevious(); });
    settled_ = true;
    event->accept();
}

void TfTheme::FormShow()
{
    PreviousStyleName = skerra::activeStyleName();
    if (canvas_) previousBackground_ = canvas_->BackColor;
    settled_ = false;
    const QStringList names = offeredStyles();
    {
        const QSignalBlocker quiet(lbThemeList);
        lbThemeList->clear();
        lbThemeList->addItems(names);
        const qsizetype at = names.indexOf(PreviousStyleName);
        lbThemeList->setCurrentRow(at >= 0 ? int(at) : 0);
    }
    lInfo->setText(QStringLiteral("Available themes: %1. Select to preview.").arg(names.size()));
    skerra::placeByDefault(this, skerra::DefaultPlace::CentredOnOpener, mainWindow_);
}

void TfTheme::ApplyStyle(const QString& name, bool chartFollowsStyle)
{
    skerra::applyStyle(name, true);
    if (!canvas_) return;
    canvas_->SetBackColor(chartFollowsStyle ? skerra::fromQColor(skerra::activePanelColour()) : previousBackground_);
    canvas_->Refresh();
}

const QListWidgetItem* TfTheme::SelectedItem() const
{
    const QList<QListWidgetItem*> selected = lbThemeList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void TfTheme::lbThemeListClick()
{
    const QListWidgetItem* item = SelectedItem();
    if (!item) return;
    try {
        ApplyStyle(item->text(), true);
    } catch (...) {
        // A style that cannot be applied leaves the window usable.
    }
}

void TfTheme::RestorePrevious()
{
    try {
        ApplyStyle(PreviousStyleName, false);
    } catch (...) {
    }
}

void TfTheme::bSaveExitClick()
{
    if (const QListWidgetItem* item = SelectedItem()) {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString(QStringLiteral("APPLICATION"), QStringLiteral("ThemeStyle"), item->text());
    }
    settled_ = true;  // the preview stays
    close();
}

void TfTheme::bCancelClick()
{
    settled_ = true;
    RestorePrevious();
    close();
}
