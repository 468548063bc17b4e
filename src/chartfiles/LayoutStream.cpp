#include "chartfiles/LayoutStream.h"

#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace skerra::layout {
namespace {

constexpr qint64 kUsualTextLimit = qint64(512) * 1024 * 1024;
std::atomic<qint64> textLimitForTesting{0};

// Pieces of the file read at once, and of the text inflated at once.
constexpr qint64 kReadPiece = 64 * 1024;
constexpr std::size_t kInflatePiece = 256 * 1024;

const QString kTooLarge = QStringLiteral("too large");
const QString kTruncated = QStringLiteral("truncated");
const QString kDamaged = QStringLiteral("damaged");

QString readError(const QFile& file) { return QStringLiteral("cannot read (%1)").arg(file.errorString()); }

// Inflates the rest of the file, after the magic.
class Inflater {
public:
    Inflater()
    {
        std::memset(&z_, 0, sizeof z_);
        if (inflateInit2(&z_, 15) != Z_OK)
            throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&z_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    QString run(QFile& file, const std::function<void(std::string_view)>& sink)
    {
        const auto in = std::make_unique_for_overwrite<char[]>(kReadPiece);
        const auto out = std::make_unique_for_overwrite<char[]>(kInflatePiece);
        const qint64 limit = layoutTextLimit();
        qint64 total = 0;
        bool ended = false;
        for (;;) {
            const qint64 got = file.read(in.get(), kReadPiece);
            if (got < 0)
                return readError(file);
            if (got == 0)
                return ended ? QString() : kTruncated;
            if (ended)
                return kDamaged;  // bytes behind the end of the stream
            z_.next_in = reinterpret_cast<Bytef*>(in.get());
            z_.avail_in = static_cast<uInt>(got);
            while (z_.avail_in > 0 && !ended) {
                z_.next_out = reinterpret_cast<Bytef*>(out.get());
                z_.avail_out = static_cast<uInt>(kInflatePiece);
                const int status = inflate(&z_, Z_NO_FLUSH);
                const std::size_t produced = kInflatePiece - z_.avail_out;
                total += static_cast<qint64>(produced);
                if (total > limit)
                    return kTooLarge;
                if (produced > 0)
                    sink(std::string_view(out.get(), produced));
                if (status == Z_STREAM_END)
                    ended = true;
                else if (status == Z_MEM_ERROR)
                    throw std::bad_alloc();
                else if (status != Z_OK && status != Z_BUF_ERROR)
                    return kDamaged;
            }
            if (ended && z_.avail_in > 0)
                return kDamaged;
        }
    }

private:
    z_stream z_;
};

QString readPlain(QFile& file, const QByteArray& start, const std::function<void(std::string_view)>& sink)
{
    const qint64 limit = layoutTextLimit();
    if (file.size() > limit)
        return kTooLarge;
    if (!start.isEmpty())
        sink(std::string_view(start.constData(), static_cast<std::size_t>(start.size())));
    qint64 total = start.size();
    const auto piece = std::make_unique_for_overwrite<char[]>(kReadPiece);
    for (;;) {
        const qint64 got = file.read(piece.get(), kReadPiece);
        if (got < 0)
            return readError(file);
        if (got == 0)
            return QString();
        total += got;
        if (total > limit)
            return kTooLarge;  // the file grew while it was read
        sink(std::string_view(piece.get(), static_cast<std::size_t>(got)));
    }
}

}  // namespace

qint64 layoutTextLimit()
{
    const qint64 forTesting = textLimitForTesting.load();
    return forTesting > 0 ? forTesting : kUsualTextLimit;
}

void setLayoutTextLimitForTesting(qint64 bytes) { textLimitForTesting.store(bytes > 0 ? bytes : 0); }

struct LayoutDeflater::State {
    z_stream z;
    std::unique_ptr<char[]> out = std::make_unique_for_overwrite<char[]>(kInflatePiece);
};

LayoutDeflater::LayoutDeflater() : state_(std::make_unique<State>())
{
    std::memset(&state_->z, 0, sizeof state_->z);
    if (deflateInit2(&state_->z, 6, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
}

LayoutDeflater::~LayoutDeflater() { deflateEnd(&state_->z); }

bool LayoutDeflater::add(std::string_view text, bool last, const Output& output)
{
    z_stream& z = state_->z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(state_->out.get());
        z.avail_out = static_cast<uInt>(kInflatePiece);
        const int status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        if (status == Z_STREAM_ERROR)
            throw std::bad_alloc();
        const std::size_t produced = kInflatePiece - z.avail_out;
        if (produced > 0 && !output(state_->out.get(), produced))
            return false;
        if (last ? status == Z_STREAM_END : (z.avail_in == 0 && z.avail_out > 0))
            return true;
    }
}

QByteArray compressLayoutText(std::string_view text)
{
    QByteArray bytes(kLayoutMagic);
    LayoutDeflater deflater;
    deflater.add(text, true, [&bytes](const char* data, std::size_t size) {
        bytes.append(data, static_cast<qsizetype>(size));
        return true;
    });
    return bytes;
}

QString readLayoutText(const QString& path, const std::function<void(std::string_view)>& sink)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("file not found");
    if (info.isDir())
        return QStringLiteral("a folder, not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open (%1)").arg(file.errorString());
    const QByteArray start = file.read(sizeof kLayoutMagic - 1);
    if (start.size() < 0 || (start.isEmpty() && file.error() != QFileDevice::NoError))
        return readError(file);
    if (start == QByteArray(kLayoutMagic))
        return Inflater().run(file, sink);
    return readPlain(file, start, sink);
}

}  // namespace skerra::layout
