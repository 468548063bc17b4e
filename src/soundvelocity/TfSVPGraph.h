#pragma once
// The "SVP Profile Graph - Drag Points or Lasso Select" window: the averaged profile
// of the sound-velocity window as a plot of SV against depth and as a table. A point
// is dragged sideways to change its SV, spikes are selected with a free-hand lasso
// and deleted, and the table edits the same points. Shown modally; "Save && Close"
// ends with OK, "Cancel" or closing the window with Cancel.

#include "SvpGraphModel.h"

#include "platform/Form.h"

#include <string>
#include <vector>

class QEventLoop;
class QLabel;
class QPushButton;
class QSplitter;
class QTableWidget;
class QWidget;

class TfSVPGraph : public skerra::FormOf<TfSVPGraph>, public skerra::svp::SvpGraphModel {
    Q_OBJECT
public:
    explicit TfSVPGraph(QWidget* parent = nullptr);

    void LoadFromStrings(const std::vector<std::string>& lines);
    using SvpGraphModel::SaveToStrings;

    // Shows the window modally above its opener (the sound-velocity window) and returns
    // QDialog::Accepted (OK) or QDialog::Rejected.
    int ShowModal(QWidget* opener = nullptr);
    int ModalResult() const { return modalResult_; }

    // Controls (component names as objectName).
    QWidget* PaintBox1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PanelGrid = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* bAddRow = nullptr;
    QPushButton* bDeleteRow = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* bDeleteSelected = nullptr;
    QPushButton* bSaveAndClose = nullptr;
    QPushButton* bCancel = nullptr;

    // Handlers.
    void FormCreate();
    void PaintBox1Paint();
    void PaintBox1MouseDown(Qt::MouseButton button, QPoint at);
    void PaintBox1MouseMove(QPoint at);
    void PaintBox1MouseUp(Qt::MouseButton button, QPoint at);
    void PaintBox1DblClick();
    void FormMouseWheel(QPoint globalAt, int delta);
    void bDeleteSelectedClick();
    void bAddRowClick();
    void bDeleteRowClick();
    void StringGrid1Click();
    void bSaveAndCloseClick();
    void bCancelClick();

    void UpdateGrid();
    void ReadGrid();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void Repaint();
    void SyncPlotSize();
    void EndModal(int result);

    QEventLoop* modalLoop_ = nullptr;
    int modalResult_ = 0;
};

extern TfSVPGraph* fSVPGraph;
