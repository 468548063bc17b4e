#pragma once
// The program's windows in temporary program and data folders, with message boxes
// recorded and answered with OK.

#include "navigation/TFNav.h"
#include "platform/AppPaths.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"
#include "app/StartUp.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

namespace mainwindowtest {

class TemporaryProgram {
public:
    TemporaryProgram()
    {
        skerra::setProgramFolderForTesting(program_.path());
        skerra::setDataRootForTesting(data_.path());
        InitSharedHeaderGlobals();
        previous_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            boxes << r.text;
            return int(skerra::MbOk);
        });
    }
    ~TemporaryProgram()
    {
        Close();
        skerra::setMessageHandler(previous_);
        skerra::setProgramFolderForTesting({});
        skerra::setDataRootForTesting({});
    }
    TemporaryProgram(const TemporaryProgram&) = delete;
    TemporaryProgram& operator=(const TemporaryProgram&) = delete;

    // Creates every window and shows the main window, 900 x 700 or as much of it as
    // the screen holds.
    void Open()
    {
        windows = skerra::createApplicationWindows();
        FNav->resize(900, 700);
        FNav->show();
        QCoreApplication::processEvents();
    }
    void Close() { skerra::destroyApplicationWindows(windows); }

    std::vector<QWidget*> windows;
    QStringList boxes;  // texts of the message boxes shown

private:
    QTemporaryDir program_, data_;
    skerra::MessageHandler previous_;
};

}  // namespace mainwindowtest
