#include "FileReplacement.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace skerra {

namespace {

// Qt's text when it has one, else the system's for errno.
QString reasonOf(const QFileDevice& file, int savedErrno)
{
    const QString text = file.errorString();
    if (!text.isEmpty() && text != QLatin1String("Unknown error")) return text;
    if (savedErrno != 0) return QString::fromLocal8Bit(std::strerror(savedErrno));
    return QStringLiteral("the file could not be written");
}

}  // namespace

FileReplacement::FileReplacement(const QString& path) : file_(path) {}

void FileReplacement::fail(const QString& reason)
{
    if (error_.isEmpty()) error_ = reason;
    file_.cancelWriting();
}

bool FileReplacement::open()
{
    error_.clear();
    errno = 0;
    if (file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
    error_ = reasonOf(file_, errno);
    return false;
}

bool FileReplacement::write(const char* data, qint64 size)
{
    if (!error_.isEmpty() || !file_.isOpen()) return false;
    // A short count (the disk filled up during the call) is followed by a write of
    // the rest, which then fails with the system's reason.
    while (size > 0) {
        errno = 0;
        const qint64 written = file_.write(data, size);
        if (written <= 0) {
            fail(reasonOf(file_, errno));
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool FileReplacement::commit()
{
    if (!error_.isEmpty() || !file_.isOpen()) return false;
    // A failure the file system reports only when the data reach the disk
    // (delayed allocation, network file systems) shows here, before the rename.
    if (::fsync(file_.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        fail(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    errno = 0;
    if (file_.commit()) return true;
    error_ = reasonOf(file_, errno);
    return false;
}

}  // namespace skerra
