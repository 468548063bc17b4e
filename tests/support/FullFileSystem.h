#pragma once
// A small file system of its own (a tmpfs of 64 KiB mounted in a temporary folder, or
// over a folder given) with all but `room` bytes taken by a filler file: a save into it that needs more
// fails part-way, as on a full disk. Mounting needs root; a test that cannot mount
// skips on a developer's machine and fails under CI (SKERRA_SKIP_UNLESS_CI).
//
//     FullFileSystem disk;
//     if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
//     ... put the old files in disk.path(...), then disk.fill(room) ...

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

class FullFileSystem {
public:
    FullFileSystem() : FullFileSystem(QString()) {}
    // Mounted over the folder `at`, which must exist; what it held is hidden meanwhile.
    explicit FullFileSystem(const QString& at) : where_(at.isEmpty() ? tmp_.path() : QDir(at).absolutePath())
    {
        if (at.isEmpty() && !tmp_.isValid()) {
            why_ = "no temporary folder";
            return;
        }
        const QByteArray where = QFile::encodeName(where_);
        if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") != 0) {
            why_ = "cannot mount a small tmpfs (" + std::string(std::strerror(errno)) + ")";
            return;
        }
        mounted_ = true;
    }
    ~FullFileSystem()
    {
        if (mounted_) ::umount2(QFile::encodeName(where_).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    QString path(const QString& name) const { return QDir(where_).filePath(name); }

    // Takes all the free space but `room` bytes (a multiple of the 4 KiB page).
    // False when the disk would not fill.
    bool fill(int room)
    {
        const QByteArray filler = QFile::encodeName(path(QStringLiteral(".filler")));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) return false;
        const QByteArray page(4096, 'f');
        off_t size = 0;
        ssize_t n = 0;
        while ((n = ::write(fd, page.constData(), page.size())) > 0) size += n;
        const bool full = n < 0 && errno == ENOSPC && size >= room;
        const bool freed = full && ::ftruncate(fd, size - room) == 0;
        ::close(fd);
        return freed;
    }

private:
    QTemporaryDir tmp_;
    QString where_;
    bool mounted_ = false;
    std::string why_;
};
