#pragma once
// The main window: the chart, the survey loop's controls and the menus.

#include "platform/Form.h"

class TFNav : public skerra::FormOf<TFNav> {
    Q_OBJECT
public:
    explicit TFNav(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool shown_ = false;
};

extern TFNav* FNav;
