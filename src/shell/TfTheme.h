#pragma once
// The "Theme Selection" window: a click on a style previews it on every window and
// gives the chart the style's panel colour; "Save && Exit" keeps the choice for the
// next start (APPLICATION/ThemeStyle); "Cancel" and the close box bring back the style
// and the chart background that were in force when the window was shown.

#include "platform/Colour.h"
#include "platform/Form.h"

#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class THalvekCanvasCore;

class TfTheme : public skerra::FormOf<TfTheme> {
    Q_OBJECT
public:
    explicit TfTheme(QWidget* parent = nullptr);

    // The chart that previews take their background to; null: none. The window is
    // centred on `mainWindow` when shown.
    void SetCanvas(THalvekCanvasCore* canvas, QWidget* mainWindow);

    QGroupBox* gThemeFrame = nullptr;
    QListWidget* lbThemeList = nullptr;
    QLabel* lInfo = nullptr;
    QPushButton* bSaveExit = nullptr;
    QPushButton* bCancel = nullptr;

    // The style in force when the window was last shown.
    QString PreviousStyleName;

    void FormShow();
    void lbThemeListClick();
    void bSaveExitClick();
    void bCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ApplyStyle(const QString& name, bool chartFollowsStyle);
    void RestorePrevious();
    const class QListWidgetItem* SelectedItem() const;

    THalvekCanvasCore* canvas_ = nullptr;
    QWidget* mainWindow_ = nullptr;
    TColor previousBackground_ = 0;
    bool settled_ = true;  // saved or cancelled since the last show
};

extern TfTheme* fTheme;
