#include "chartfiles/LayoutFile.h"

#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/LayoutParser.h"
#include "chartfiles/LayoutStream.h"
#include "chartfiles/LayoutWriter.h"
#include "platform/Clock.h"
#include "platform/FileReplacement.h"
#include "platform/NumberText.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

LayoutResult failure(const QString& reason) { return LayoutResult{false, reason}; }

}  // namespace

LayoutResult CadLoad(THalvekCanvasModel& canvas, const QString& path, LayoutLoadMode mode)
{
    using namespace skerra::layout;
    try {
        LayoutPlacer placer(canvas, mode);
        LayoutParser parser(placer);
        const QString error = readLayoutText(path, [&parser](std::string_view piece) { parser.feed(piece); });
        if (!error.isEmpty())
            return failure(error);
        parser.finish();
        if (!placer.layoutLineSeen())
            return failure(QStringLiteral("not a layout file"));
        placer.commit();
        return LayoutResult{true, {}, parser.leftOutLines()};
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        return failure(QString::fromUtf8(e.what()));
    }
}

QString LayoutLeftOutText(const LayoutResult& result, const QString& path)
{
    if (result.leftOutLines <= 0)
        return {};
    if (result.leftOutLines == 1)
        return QStringLiteral("1 line of %1 could not be read and was left out.").arg(path);
    return QStringLiteral("%1 lines of %2 could not be read and were left out.")
        .arg(QString::fromStdString(skerra::IntToStr(result.leftOutLines)), path);
}

namespace {

// Pieces of text going from the composing thread to the compressing one: at
// most two wait at a time, and emptied strings go back to be filled again.
class PiecePipe {
public:
    struct Stopped {};

    // Composer side: hands a full piece over, takes back an empty buffer.
    void put(std::string& piece)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return full_.size() < 2 || stopped_; });
        if (stopped_)
            throw Stopped{};
        full_.push_back(std::move(piece));
        piece.clear();
        if (!spare_.empty()) {
            piece = std::move(spare_.back());
            spare_.pop_back();
        }
        changed_.notify_all();
    }
    void finish(std::exception_ptr error)
    {
        std::lock_guard lock(mutex_);
        done_ = true;
        error_ = std::move(error);
        changed_.notify_all();
    }

    // Compressor side: the next piece, or false once the text is complete.
    bool take(std::string& piece)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !full_.empty() || done_; });
        if (full_.empty())
            return false;
        if (!piece.empty() || piece.capacity() > 0) {
            piece.clear();
            spare_.push_back(std::move(piece));
        }
        piece = std::move(full_.front());
        full_.pop_front();
        changed_.notify_all();
        return true;
    }
    void stop()
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }
    std::exception_ptr error()
    {
        std::lock_guard lock(mutex_);
        return error_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> full_;
    std::vector<std::string> spare_;
    bool done_ = false;
    bool stopped_ = false;
    std::exception_ptr error_;
};

// Compresses the pieces of the text into the file, refusing a text the reader
// would refuse.
class PieceWriter {
public:
    explicit PieceWriter(skerra::FileReplacement& file) : file_(file) {}

    // False once the text is refused or a write failed (error() says why).
    bool add(const std::string& piece)
    {
        total_ += static_cast<qint64>(piece.size());
        if (total_ > limit_)
            error_ = QStringLiteral("too large");
        else
            deflater_.add(piece, false, output());
        return error_.isEmpty();
    }
    QString finish()
    {
        if (error_.isEmpty())
            deflater_.add({}, true, output());
        return error_;
    }

private:
    skerra::layout::LayoutDeflater::Output output()
    {
        return [this](const char* bytes, std::size_t size) {
            if (file_.write(bytes, static_cast<qint64>(size)))
                return true;
            error_ = file_.errorString();
            return false;
        };
    }

    skerra::FileReplacement& file_;
    skerra::layout::LayoutDeflater deflater_;
    const qint64 limit_ = skerra::layout::layoutTextLimit();
    qint64 total_ = 0;
    QString error_;
};

constexpr std::size_t kPieceSize = std::size_t(1) << 20;
// Below this many shapes a second thread costs more than it saves.
constexpr int kShapesForTwoThreads = 20000;

// Writes the magic and the compressed text. A large chart's text is composed
// on a second thread while this one compresses and writes it; the bytes are
// those of compressing the whole text at once either way.
QString writeCompressed(const THalvekCanvasModel& canvas, skerra::FileReplacement& file)
{
    using namespace skerra::layout;
    if (!file.write(kLayoutMagic, sizeof kLayoutMagic - 1))
        return file.errorString();
    const QDateTime createdOn = skerra::currentDateTime();
    PieceWriter writer(file);
    if (canvas.ShapeCount() < kShapesForTwoThreads) {
        bool going = true;
        composeLayoutText(canvas, createdOn, kPieceSize, [&](std::string& piece) {
            if (going)
                going = writer.add(piece);
        });
        return writer.finish();
    }
    PiecePipe pipe;
    std::thread composer([&] {
        try {
            composeLayoutText(canvas, createdOn, kPieceSize, [&pipe](std::string& piece) { pipe.put(piece); });
            pipe.finish(nullptr);
        } catch (const PiecePipe::Stopped&) {
            pipe.finish(nullptr);
        } catch (...) {
            pipe.finish(std::current_exception());
        }
    });
    QString error;
    try {
        std::string piece;
        bool going = true;
        while (going && pipe.take(piece))
            going = writer.add(piece);
        error = writer.finish();
    } catch (...) {
        pipe.stop();
        composer.join();
        throw;
    }
    pipe.stop();
    composer.join();
    if (const std::exception_ptr composing = pipe.error())
        std::rethrow_exception(composing);
    return error;
}

}  // namespace

LayoutResult CadSave(const THalvekCanvasModel& canvas, const QString& path)
{
    try {
        skerra::FileReplacement file(path);
        if (!file.open())
            return failure(file.errorString());
        const QString error = writeCompressed(canvas, file);
        if (!error.isEmpty()) {
            file.cancel();
            return failure(error);
        }
        if (!file.commit())
            return failure(file.errorString());
        return LayoutResult{true, {}};
    } catch (const std::bad_alloc&) {
        return failure(QStringLiteral("out of memory"));
    } catch (const std::exception& e) {
        return failure(QString::fromUtf8(e.what()));
    }
}
