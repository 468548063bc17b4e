#include "ScreenshotTaker.h"

#include "ScreenshotNames.h"
#include "platform/FileReplacement.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>

namespace {

QString writeOne(const QString& path, const QImage& image)
{
    // Encoded in memory first: the PNG writer says only "Unknown error" when its file
    // fails part-way, while the file written as a whole keeps the system's reason and
    // leaves no cut picture behind.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Quality 0 is zlib level 9 for the PNG writer. (Its "compression" option is a
    // 0..100 ratio: 9 there would write almost uncompressed files.)
    writer.setQuality(0);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888))) return writer.errorString();
    skerra::FileReplacement file(path);
    if (!file.open() || !file.write(png) || !file.commit()) return file.errorString();
    return {};
}

}  // namespace

QString WriteScreenshots(const QString& folder, const QDateTime& now, const std::vector<NamedImage>& images)
{
    if (!QDir().mkpath(folder)) return "cannot create the folder " + QDir::toNativeSeparators(folder);
    for (const NamedImage& shot : images) {
        const QString problem = writeOne(ScreenshotFileName(folder, now, shot.name), shot.image);
        if (!problem.isEmpty()) return "cannot write in " + QDir::toNativeSeparators(folder) + " (" + problem + ")";
    }
    return {};
}

ScreenshotTaker::ScreenshotTaker(QString folder, Reporter report, WindowGrabber ownWindows, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), report_(std::move(report)), ownWindows_(std::move(ownWindows)),
      screenCaptureAllowed_(ScreenCaptureAllowed())
{
    pool_.setMaxThreadCount(1);
}

ScreenshotTaker::~ScreenshotTaker() { pool_.waitForDone(); }

bool ScreenshotTaker::ScreenCaptureAllowed()
{
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

std::vector<NamedImage> ScreenshotTaker::CaptureScreens()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<QRect> rectangles;
    for (const QScreen* screen : screens) rectangles.push_back(screen->geometry());
    const std::vector<QString> names = ScreenshotNames(rectangles);
    std::vector<NamedImage> shots;
    for (int i = 0; i < screens.size(); ++i) {
        const QPixmap pixels = screens[i]->grabWindow(0);
        if (pixels.isNull()) {
            ReportOnce("the screen " + names[std::size_t(i)] + " could not be captured");
            captureFailed_ = true;
            continue;
        }
        shots.push_back({names[std::size_t(i)], pixels.toImage()});
    }
    return shots;
}

void ScreenshotTaker::Tick(const QDateTime& now)
{
    if (busy_) return;
    captureFailed_ = false;
    std::vector<NamedImage> shots;
    if (screenCaptureAllowed_) {
        shots = CaptureScreens();
    } else {
        if (!fallbackSaid_)
            report_(QStringLiteral("Screenshots: this desktop does not let programs capture the screen; "
                                   "the program's own windows are saved instead."));
        fallbackSaid_ = true;
        if (ownWindows_) shots = ownWindows_();
        std::vector<QString> names;
        for (const NamedImage& shot : shots) names.push_back(shot.name);
        names = DistinctScreenshotNames(std::move(names));
        for (std::size_t i = 0; i < shots.size(); ++i) shots[i].name = names[i];
    }
    if (shots.empty()) return;
    busy_ = true;
    QPointer<ScreenshotTaker> self(this);
    pool_.start([self, folder = folder_, now, shots = std::move(shots)] {
        const QString problem = WriteScreenshots(folder, now, shots);
        QMetaObject::invokeMethod(
            self, [self, problem] { if (self) self->Finished(problem); }, Qt::QueuedConnection);
    });
}

void ScreenshotTaker::WaitForWrites()
{
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void ScreenshotTaker::Finished(const QString& problem)
{
    busy_ = false;
    if (problem.isEmpty() && !captureFailed_)
        reported_.clear();  // the next failure is news again
    else
        ReportOnce(problem);
}

void ScreenshotTaker::ReportOnce(const QString& problem)
{
    if (reported_.insert(problem).second) report_("Screenshots could not be saved: " + problem);
}
