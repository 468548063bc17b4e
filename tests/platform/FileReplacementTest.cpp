// Replacing a file: wherever a full disk stops the write, the old file stays whole
// and the failure says why; a new file that fits replaces the old one.

#include "platform/FileReplacement.h"

#include "FullFileSystem.h"
#include "MissingTool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

TEST(FileReplacement, OnAFullDiskTheOldFileStaysWholeWhereverTheWriteStops)
{
    const struct {
        const char* what;
        int size;
        int piece;  // bytes per write
        bool replaced;
    } cases[] = {
        {"just fits the room left", 4096, 4096, true},
        {"one byte more, in one write", 4097, 4097, false},
        {"one byte more, the last of several writes", 4097, 1000, false},
        {"far more than the room", 40000, 40000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FullFileSystem disk;
        if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
        const QString path = disk.path("chart.qmt");
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            ASSERT_EQ(old.write("the last good file\n"), 19);
        }
        ASSERT_TRUE(disk.fill(4096));
        const QByteArray bytes(c.size, 'n');
        skerra::FileReplacement file(path);
        ASSERT_TRUE(file.open()) << file.errorString().toStdString();
        bool written = true;
        for (qsizetype at = 0; at < bytes.size() && written; at += c.piece)
            written = file.write(bytes.constData() + at, std::min<qsizetype>(c.piece, bytes.size() - at));
        EXPECT_EQ(written && file.commit(), c.replaced);
        EXPECT_EQ(file.commit(), false) << "a second commit";
        if (c.replaced) {
            EXPECT_EQ(readAll(path), bytes);
        } else {
            EXPECT_EQ(file.errorString(), "No space left on device");
            EXPECT_EQ(readAll(path), "the last good file\n");
        }
        EXPECT_EQ(QDir(disk.path(".")).entryList(QDir::Files), QStringList{"chart.qmt"});
    }
}

TEST(FileReplacement, AFileThatCannotBeMadeSaysWhy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    skerra::FileReplacement file(dir.filePath("no such folder/x.txt"));
    EXPECT_FALSE(file.open());
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_NE(file.errorString(), "Unknown error");
    EXPECT_FALSE(file.write(QByteArray("x")));
    EXPECT_FALSE(file.commit());
}

}  // namespace
