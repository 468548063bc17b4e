#pragma once
// The periodic screenshots: at each tick every monitor is captured on the user-interface
// thread, then converted to 24-bit colour and written as PNG at the highest compression
// on a worker thread, so a large screen does not hold up the serial polling.
//
// A capture or write that fails is reported once per distinct problem (until a tick
// succeeds again); the next tick simply tries again. Where the desktop does not let a
// program capture the screen (Wayland), the program's own windows are saved instead,
// and that is said once. A tick that comes while the last one is still being written
// is skipped.

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <set>
#include <utility>
#include <vector>

struct NamedImage {
    QString name;
    QImage image;
};

// Encodes and writes each image as folder + "ZQB <date> <time> <name>.png", creating
// the folder when missing. Runs on any thread. Empty when all were written, else the
// first problem in words (without the time-stamped file name, so it repeats alike).
QString WriteScreenshots(const QString& folder, const QDateTime& now, const std::vector<NamedImage>& images);

class ScreenshotTaker : public QObject {
    Q_OBJECT
public:
    using Reporter = std::function<void(const QString&)>;
    // The program's own windows, named, for desktops that do not allow screen capture.
    using WindowGrabber = std::function<std::vector<NamedImage>()>;

    ScreenshotTaker(QString folder, Reporter report, WindowGrabber ownWindows, QObject* parent = nullptr);
    // Waits for a write still in progress.
    ~ScreenshotTaker() override;

    // Whether this desktop lets a program capture whole screens.
    static bool ScreenCaptureAllowed();
    void SetScreenCaptureAllowed(bool allowed) { screenCaptureAllowed_ = allowed; }

    // One tick: capture and start writing.
    void Tick(const QDateTime& now);
    // Waits until the current write is done and its result reported.
    void WaitForWrites();

private:
    std::vector<NamedImage> CaptureScreens();
    void Finished(const QString& problem);
    void ReportOnce(const QString& problem);

    QString folder_;
    Reporter report_;
    WindowGrabber ownWindows_;
    bool screenCaptureAllowed_;
    bool fallbackSaid_ = false;
    bool busy_ = false;
    bool captureFailed_ = false;  // in the tick being written
    std::set<QString> reported_;
    QThreadPool pool_;
};
