#pragma once
// The "About Skerra" window: the product's name and version and the maker's notice,
// shown modally from the main window's Help menu.

#include "platform/Form.h"

class QLabel;
class QPushButton;

class TformAbout : public skerra::FormOf<TformAbout> {
    Q_OBJECT
public:
    explicit TformAbout(QWidget* parent = nullptr);

    // Shows the box centred on the main window (the screen when there is none) and
    // returns when it is closed; other windows take no input meanwhile.
    void ShowModal();

    QLabel* SoftName = nullptr;
    QLabel* Version = nullptr;
    QLabel* MakerNotice1 = nullptr;
    QLabel* MakerNotice2 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;  // every show is centred on the main window
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* addPanel(const char* name);
    QLabel* addCentredLabel(QWidget* panel, const char* name, const QString& text);
    void centreOnMainWindow();

    class QEventLoop* modalLoop_ = nullptr;
};

extern TformAbout* formAbout;
