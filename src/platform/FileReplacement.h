#pragma once
// Replaces a file as a whole. The new bytes go to a temporary file beside it, which
// takes the file's name only when every byte has been written and synced: a write that
// fails at any byte (a full disk, a file-size limit) leaves the old file as it was and
// keeps the reason ("No space left on device"). Every write goes straight to the file,
// without a buffer, so no failure can hide in a last flush behind the rename.
//
// Use: open(), write() the pieces, commit(); errorString() says why one returned false.
// A replacement destroyed without commit() leaves the old file and no temporary one.

#include <QSaveFile>
#include <QString>

#include <string_view>

namespace skerra {

class FileReplacement {
public:
    explicit FileReplacement(const QString& path);

    // In a folder that takes no new file, a writable file is written in place
    // (not atomically: a write that fails half-way leaves it cut short).
    void allowWritingInPlace() { file_.setDirectWriteFallback(true); }

    bool open();
    // Writes all the bytes; false once any write has failed.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    bool write(std::string_view bytes) { return write(bytes.data(), qint64(bytes.size())); }
    // Puts the new file in the old one's place; false, and the old file as it was,
    // when any step failed.
    bool commit();
    void cancel() { file_.cancelWriting(); }

    // Why the replacement failed; empty while nothing has.
    const QString& errorString() const { return error_; }

private:
    void fail(const QString& reason);

    QSaveFile file_;
    QString error_;
};

}  // namespace skerra
