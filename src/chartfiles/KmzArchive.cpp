#include "KmzArchive.h"

#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

namespace skerra::chartfiles {
namespace {

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }  // read-only: nothing to write back
};
struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;
using ZipEntryFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

// "C:", "C:name": a drive, or a path relative to a drive's current folder.
bool startsWithDrive(std::string_view component)
{
    return component.size() >= 2 && component[1] == ':'
        && ((component[0] >= 'A' && component[0] <= 'Z') || (component[0] >= 'a' && component[0] <= 'z'));
}

// Symbolic links, devices and pipes are passed over; entries written on systems
// that keep no Unix mode are regular files or folders by their names.
bool isSpecialEntry(zip_t* zip, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(zip, index, 0, &opsys, &attributes) != 0) return true;
    if (opsys != ZIP_OPSYS_UNIX) return false;
    const unsigned mode = (attributes >> 16) & S_IFMT;
    return mode != 0 && mode != S_IFREG && mode != S_IFDIR;
}

class Unpacker {
public:
    Unpacker(zip_t* zip, const QString& folder, const ZipLimits& limits)
        : zip_(zip), root_(folder), limits_(limits)
    {
    }

    bool run()
    {
        const zip_int64_t count = zip_get_num_entries(zip_, 0);
        if (count < 0 || count > limits_.maxEntries) return false;
        for (zip_int64_t i = 0; i < count; ++i)
            if (!entry(zip_uint64_t(i))) return false;
        return true;
    }

private:
    bool entry(zip_uint64_t index)
    {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip_, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) return false;
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) return false;
        const auto place = SafeEntryPath(st.name);
        if (!place || isSpecialEntry(zip_, index)) return true;
        if (place->directory) return root_.mkpath(place->path);
        const QString target = root_.filePath(place->path);
        if (!root_.mkpath(QFileInfo(place->path).path())) return false;
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
        ZipEntryFile in(zip_fopen_index(zip_, index, 0));
        if (!in) return false;
        const std::int64_t declared = (st.valid & ZIP_STAT_SIZE) ? std::int64_t(st.size) : -1;
        return copy(in.get(), out, declared);
    }

    // An entry that inflates to another size than its header declares is corrupt.
    bool copy(zip_file_t* in, QFile& out, std::int64_t declared)
    {
        buffer_.resize(64 * 1024);
        std::int64_t entryBytes = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(in, buffer_.data(), buffer_.size());
            if (n < 0) return false;
            if (n == 0) return declared < 0 || entryBytes == declared;
            entryBytes += n;
            if (declared >= 0 && entryBytes > declared) return false;
            total_ += n;
            if (entryBytes > limits_.maxEntryBytes || total_ > limits_.maxTotalBytes) return false;
            if (out.write(buffer_.data(), n) != n) return false;
        }
    }

    zip_t* zip_;
    QDir root_;
    ZipLimits limits_;
    std::int64_t total_ = 0;
    std::vector<char> buffer_;
};

bool unpack(zip_t* zip, const QString& folder, const ZipLimits& limits)
{
    ZipArchive archive(zip);
    return archive && Unpacker(archive.get(), folder, limits).run();
}

}  // namespace

std::optional<ZipEntryPath> SafeEntryPath(std::string_view name)
{
    if (name.empty() || name.front() == '/' || name.front() == '\\') return std::nullopt;
    ZipEntryPath result;
    result.directory = name.back() == '/' || name.back() == '\\';
    std::string path;
    bool first = true;
    while (!name.empty()) {
        const size_t cut = name.find_first_of("/\\");
        const std::string_view component = name.substr(0, cut);
        name = cut == std::string_view::npos ? std::string_view() : name.substr(cut + 1);
        if (component == "..") return std::nullopt;
        if (first && startsWithDrive(component)) return std::nullopt;
        first = false;
        if (component.empty() || component == ".") continue;
        if (!path.empty()) path += '/';
        path.append(component);
    }
    if (path.empty()) return std::nullopt;
    result.path = QString::fromUtf8(path);
    return result;
}

bool UnpackZipFile(const QString& zipPath, const QString& folder, const ZipLimits& limits)
{
    int error = 0;
    return unpack(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &error), folder, limits);
}

bool UnpackZipBuffer(const void* data, std::size_t size, const QString& folder, const ZipLimits& limits)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (source && !zip) zip_source_free(source);
    zip_error_fini(&error);
    return unpack(zip, folder, limits);
}

QString ChooseKmlDocument(const QString& folder)
{
    const QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    for (const QString& name : names)
        if (name.compare(QLatin1String("doc.kml"), Qt::CaseInsensitive) == 0) return dir.filePath(name);
    for (const QString& name : names)
        if (name.endsWith(QLatin1String(".kml"), Qt::CaseInsensitive)) return dir.filePath(name);
    return {};
}

QString MakeUnpackFolder()
{
    const QString base = QDir::tempPath() + QLatin1Char('/');
    const quint32 tick = quint32(skerra::tickCountMs());
    for (quint32 attempt = 0; attempt < 1000; ++attempt) {
        const QString path = base + QStringLiteral("temp_kmz_") + QString::number(tick + attempt);
        if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0) return path;
        if (errno != EEXIST) return {};
    }
    return {};
}

}  // namespace skerra::chartfiles
