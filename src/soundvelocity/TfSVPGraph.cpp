#include "TfSVPGraph.h"

#include "SvpGraphPainter.h"

#include "platform/HandlerGuard.h"
#include "platform/ModalAbove.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

TfSVPGraph* fSVPGraph = nullptr;

namespace svp = skerra::svp;

namespace {

constexpr QSize kClientSize(900, 550);

QPushButton* makeButton(const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

TfSVPGraph::TfSVPGraph(QWidget* parent)
    : FormOf(fSVPGraph, QStringLiteral("fSVPGraph"), QStringLiteral("SVP Profile Graph - Drag Points or Lasso Select"),
             parent)
{
    setDefaultPlace(skerra::DefaultPlace::CentredOnOpener);
    skerra::guarded(this, [this] { FormCreate(); });
}

void TfSVPGraph::FormCreate()
{
    setWindowFlags(Qt::Window);
    CreateControls();
    ConnectHandlers();
    resize(kClientSize);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Depth (m)"), QStringLiteral("SV (m/s)"), QStringLiteral("Hits")});
}

void TfSVPGraph::CreateControls()
{
    PaintBox1 = new QWidget;
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setMouseTracking(true);
    PaintBox1->setAttribute(Qt::WA_OpaquePaintEvent);

    PanelGrid = new QWidget;
    PanelGrid->setObjectName(QStringLiteral("PanelGrid"));
    StringGrid1 = new QTableWidget(0, 3);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(60);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    bAddRow = makeButton("bAddRow", "Add Row");
    bDeleteRow = makeButton("bDeleteRow", "Delete Row");
    for (QPushButton* b : {bAddRow, bDeleteRow}) b->setFixedHeight(40);
    auto* gridLayout = new QVBoxLayout(PanelGrid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    gridLayout->addWidget(StringGrid1, 1);
    gridLayout->addWidget(bAddRow);
    gridLayout->addWidget(bDeleteRow);

    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->addWidget(PaintBox1);
    Splitter1->addWidget(PanelGrid);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({kClientSize.width() - 195 - 5, 195});

    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(50);
    Label1 = new QLabel(QStringLiteral("Drag points to edit SV, or draw lasso to select spikes"));
    Label1->setObjectName(QStringLiteral("Label1"));
    bDeleteSelected = makeButton("bDeleteSelected", "Delete Selected (0)");
    bDeleteSelected->setEnabled(false);
    bSaveAndClose = makeButton("bSaveAndClose", "Save && Close");
    bCancel = makeButton("bCancel", "Cancel");
    auto* bottom = new QHBoxLayout(Panel1);
    bottom->addWidget(Label1, 1);
    bottom->addWidget(bDeleteSelected);
    bottom->addWidget(bSaveAndClose);
    bottom->addWidget(bCancel);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(Splitter1, 1);
    outer->addWidget(Panel1);
}

void TfSVPGraph::ConnectHandlers()
{
    const auto on = [this](QPushButton* button, void (TfSVPGraph::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { skerra::guarded(this, [&] { (this->*handler)(); }); });
    };
    on(bDeleteSelected, &TfSVPGraph::bDeleteSelectedClick);
    on(bAddRow, &TfSVPGraph::bAddRowClick);
    on(bDeleteRow, &TfSVPGraph::bDeleteRowClick);
    on(bSaveAndClose, &TfSVPGraph::bSaveAndCloseClick);
    on(bCancel, &TfSVPGraph::bCancelClick);
    connect(StringGrid1, &QTableWidget::cellClicked, this,
            [this] { skerra::guarded(this, [this] { StringGrid1Click(); }); });
    PaintBox1->installEventFilter(this);
}

bool TfSVPGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != PaintBox1) return FormOf::eventFilter(watched, event);
    const auto mouse = [event] { return static_cast<QMouseEvent*>(event); };
    switch (event->type()) {
    case QEvent::Paint:
        skerra::guarded(this, [this] { PaintBox1Paint(); });
        return true;
    case QEvent::Resize:
        SyncPlotSize();
        return false;
    case QEvent::MouseButtonPress:
        skerra::guarded(this, [&] { PaintBox1MouseDown(mouse()->button(), mouse()->position().toPoint()); });
        return true;
    case QEvent::MouseMove:
        skerra::guarded(this, [&] { PaintBox1MouseMove(mouse()->position().toPoint()); });
        return true;
    case QEvent::MouseButtonRelease:
        skerra::guarded(this, [&] { PaintBox1MouseUp(mouse()->button(), mouse()->position().toPoint()); });
        return true;
    case QEvent::MouseButtonDblClick:
        skerra::guarded(this, [this] { PaintBox1DblClick(); });
        return true;
    default:
        return FormOf::eventFilter(watched, event);
    }
}

void TfSVPGraph::SyncPlotSize()
{
    PlotWidth = PaintBox1->width();
    PlotHeight = PaintBox1->height();
}

void TfSVPGraph::Repaint() { PaintBox1->update(); }

void TfSVPGraph::resizeEvent(QResizeEvent* event)
{
    FormOf::resizeEvent(event);
    SyncPlotSize();
    Repaint();
}

void TfSVPGraph::LoadFromStrings(const std::vector<std::string>& lines)
{
    ReadPoints(lines);
    SyncPlotSize();
    CalculateRanges();
    UpdateGrid();
    Repaint();
}

// ---- table -----------------------------------------------------------------------------

void TfSVPGraph::UpdateGrid()
{
    StringGrid1->setRowCount(static_cast<int>(Points.size()));
    for (size_t i = 0; i < Points.size(); ++i) {
        const svp::GridRowTexts row = svp::GridRow(Points[i]);
        for (int c = 0; c < 3; ++c)
            StringGrid1->setItem(static_cast<int>(i), c, new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)])));
    }
}

void TfSVPGraph::ReadGrid()
{
    std::vector<svp::GridRowTexts> rows;
    rows.reserve(static_cast<size_t>(StringGrid1->rowCount()));
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        rows.push_back({cellText(StringGrid1, r, 0).toStdString(), cellText(StringGrid1, r, 1).toStdString(),
                        cellText(StringGrid1, r, 2).toStdString()});
    Points = svp::ReadGridRows(rows);
    CalculateRanges();
    Modified = true;
}

void TfSVPGraph::StringGrid1Click()
{
    const int r = StringGrid1->currentRow();
    if (r < 0 || r >= static_cast<int>(Points.size())) return;
    for (size_t i = 0; i < Points.size(); ++i) Points[i].Selected = static_cast<int>(i) == r;
    Repaint();
}

void TfSVPGraph::bAddRowClick()
{
    const svp::GridRowTexts row = svp::NewRow(Points);
    const int r = StringGrid1->rowCount();
    StringGrid1->setRowCount(r + 1);
    for (int c = 0; c < 3; ++c) StringGrid1->setItem(r, c, new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)])));
    ReadGrid();
    Repaint();
}

void TfSVPGraph::bDeleteRowClick()
{
    const int r = StringGrid1->currentRow();
    // The table keeps its last data row, as a grid with one fixed row must.
    if (r >= 0 && r < StringGrid1->rowCount() && StringGrid1->rowCount() > 1) StringGrid1->removeRow(r);
    ReadGrid();
    Repaint();
}

// ---- plot ------------------------------------------------------------------------------

void TfSVPGraph::PaintBox1Paint()
{
    SyncPlotSize();
    QPainter painter(PaintBox1);
    svp::PaintGraph(painter, *this);
}

void TfSVPGraph::PaintBox1MouseDown(Qt::MouseButton button, QPoint at)
{
    if (button != Qt::LeftButton) return;
    const int i = FindPointAt(at.x(), at.y());
    if (i >= 0) {
        IsDragging = true;
        DragIndex = i;
        PaintBox1->setCursor(Qt::SizeAllCursor);
    } else {
        LassoPoints = {at};
        IsLassoing = true;
    }
}

void TfSVPGraph::PaintBox1MouseMove(QPoint at)
{
    if (IsDragging && DragIndex >= 0 && DragIndex < static_cast<int>(Points.size())) {
        if (DragTo(at.x())) {
            UpdateGrid();
            Repaint();
        }
    } else if (IsLassoing) {
        const QPoint last = LassoPoints.back();
        if (std::abs(at.x() - last.x()) > 3 || std::abs(at.y() - last.y()) > 3) {
            LassoPoints.push_back(at);
            Repaint();
        }
    } else {
        PaintBox1->setCursor(FindPointAt(at.x(), at.y()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    Label1->setText(QString::fromStdString(StatusText(at.x(), at.y())));
}

void TfSVPGraph::PaintBox1MouseUp(Qt::MouseButton button, QPoint)
{
    if (button != Qt::LeftButton) return;
    if (IsDragging) {
        IsDragging = false;
        DragIndex = -1;
        PaintBox1->setCursor(Qt::ArrowCursor);
        CalculateRanges();
        Repaint();
    } else if (IsLassoing) {
        IsLassoing = false;
        if (LassoPoints.size() >= 3) {
            const int n = SelectInLasso();
            bDeleteSelected->setText(QString::fromStdString(svp::DeleteSelectedCaption(n)));
            bDeleteSelected->setEnabled(n > 0);
        }
        Repaint();
    }
}

void TfSVPGraph::PaintBox1DblClick()
{
    CalculateRanges();
    Repaint();
}

void TfSVPGraph::wheelEvent(QWheelEvent* event)
{
    skerra::guarded(this, [&] { FormMouseWheel(event->globalPosition().toPoint(), event->angleDelta().y()); });
    event->accept();
}

void TfSVPGraph::FormMouseWheel(QPoint globalAt, int delta)
{
    const QPoint at = PaintBox1->mapFromGlobal(globalAt);
    SyncPlotSize();
    ZoomAt(at.x(), at.y(), delta > 0);
    Repaint();
}

void TfSVPGraph::bDeleteSelectedClick()
{
    DeleteSelected();
    bDeleteSelected->setText(QString::fromStdString(svp::DeleteSelectedCaption(0)));
    bDeleteSelected->setEnabled(false);
    UpdateGrid();
    CalculateRanges();
    Repaint();
}

// ---- closing ---------------------------------------------------------------------------

int TfSVPGraph::ShowModal(QWidget* opener)
{
    modalResult_ = QDialog::Rejected;
    skerra::showModalAbove(this, opener);
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();
    modalLoop_ = nullptr;
    return modalResult_;
}

void TfSVPGraph::EndModal(int result)
{
    modalResult_ = result;
    if (modalLoop_) modalLoop_->quit();
    hide();
}

void TfSVPGraph::bSaveAndCloseClick()
{
    ReadGrid();
    Modified = true;
    EndModal(QDialog::Accepted);
}

void TfSVPGraph::bCancelClick() { EndModal(QDialog::Rejected); }

void TfSVPGraph::closeEvent(QCloseEvent* event)
{
    if (modalLoop_) {
        modalResult_ = QDialog::Rejected;
        modalLoop_->quit();
    }
    event->accept();
}
