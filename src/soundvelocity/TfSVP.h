#pragma once
// The "Sound Velocity" window: turns a sound-velocity cast into the per-metre column
// that the depth correction uses while "Use Sound Velocity Profile" is checked.
//
// Four lists side by side: the cast as loaded, the extracted samples "depth,SV", one
// averaged slot per metre and the column (line k: the mean SV from the surface to
// k metres). Three arrow buttons run the steps between them; the lists can be edited
// by hand between the steps.

#include "platform/Form.h"

#include "soundvelocity/ListMemo.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;

class TfSVP : public skerra::FormOf<TfSVP> {
    Q_OBJECT
public:
    explicit TfSVP(QWidget* parent = nullptr);

    // The column while a profile is in use (line i: the SV at i metres), else null.
    // While the lists are being worked again (a cast loaded, step 1 or 2 run, the
    // graph written back, a step 3 that failed) the last column shown stays in force.
    const std::vector<std::string>* SoundVelocityColumnInUse() const;

    // Writes the four lists to today's dated copies in the SVP folder. A file that
    // cannot be written is named in an error message; returns false then.
    bool WriteDatedLists();

    // The main window's Save command, run first by "Save && Close". Null: skipped.
    std::function<void()> SaveCommand;
    // Chooses a cast file; an empty text is a cancel. The default shows the open dialog.
    std::function<QString()> ChooseCastFile;
    // Shows the graph editor modally and returns its result (QDialog::Accepted for OK).
    std::function<int()> ShowGraphModal;

    // Controls (component names as objectName).
    QGroupBox* GroupBox1 = nullptr;  // "Parameters"
    QLineEdit* eSearchString = nullptr;
    QLineEdit* eMaxDepth = nullptr;
    QRadioButton* rSVFirst = nullptr;
    QRadioButton* rDFirst = nullptr;
    QCheckBox* cUseSVP = nullptr;
    QPushButton* BitBtn1 = nullptr;     // "SVP": load a cast
    QPushButton* bGraph = nullptr;
    QPushButton* bSaveClose = nullptr;  // "Save && Close"
    skerra::svp::ListMemo* mRawSVData = nullptr;
    skerra::svp::ListMemo* mRawSVExtracted = nullptr;
    skerra::svp::ListMemo* mSortedAveragedSV = nullptr;
    skerra::svp::ListMemo* mSVPColumn = nullptr;
    QToolButton* bRawToSVV = nullptr;
    QToolButton* bSVVtoAveragedSV = nullptr;
    QToolButton* bAveragedSVtoSVP = nullptr;
    QMenu* mDefault = nullptr;
    QAction* Defaults1 = nullptr;
    QAction* AutoDedetct1 = nullptr;

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormCloseQuery();
    void BitBtn1Click();
    void bRawToSVVClick();
    void bSVVtoAveragedSVClick();
    void bAveragedSVtoSVPClick();
    void cUseSVPClick();
    void BitBtn2Click();
    void bGraphClick();
    void Defaults1Click();
    void eSearchStringDblClick();
    void AutoDedetct1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void LoadLists();
    void ReadSettings();
    void WriteSettings();
    bool ReadMaxDepth(int& maxDepth);
    bool WriteListsTo(const QString& folder, const QString& prefix);
    void ShowOffsetsProfileState(bool profileUsed);
    // Empties the column list; the column it showed stays in force until a new one.
    void ClearColumn();

    // The four lists (the memos above), as the steps use them.
    skerra::svp::ListMemo *rawData_ = nullptr, *extracted_ = nullptr, *averaged_ = nullptr, *column_ = nullptr;
    // The last column the list showed, in force while the list is empty.
    std::vector<std::string> columnInForce_;
};

extern TfSVP* fSVP;

// The Save command's part: while a profile is in use, writes the four lists to their
// dated copies in the SVP folder. Returns false (after a message naming the file)
// when one cannot be written; true when written or when no profile is in use.
bool SaveDatedSoundVelocityLists();
