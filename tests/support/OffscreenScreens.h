#pragma once
// Sets up Qt's offscreen platform with the given screens (its JSON "screens" array)
// before the application object is made. The configuration file lies in folder,
// which must outlive the application object. Without windowFrames the platform gives
// windows no frame of its own (a test then simulates one). False when it cannot be written.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

inline bool useOffscreenScreens(const QTemporaryDir& folder, const QByteArray& screens, bool windowFrames = true)
{
    const QString config = folder.path() + "/screens.json";
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QByteArray("{\"windowFrameMargins\": ") + (windowFrames ? "true" : "false") + ", \"screens\": " + screens
               + "}");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    return true;
}
