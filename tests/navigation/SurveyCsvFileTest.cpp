// The survey log file: header once, fallback names, a folder that went away.

#include "navigation/survey/SurveyCsvFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SurveyCsvFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.path() + "/LOG/" + name; }
    QTemporaryDir dir_;
};

TEST_F(SurveyCsvFileTest, HeaderOnceIntoAnEmptyFileAndAFolderThatWentAway)
{
    QDir().mkpath(dir_.path() + "/LOG");
    {
        QFile existing(path("day.csv"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("H\r\nold\r\n");
    }
    SurveyCsvFile log(path("day.csv").toStdString(), "H\r\n");
    ASSERT_TRUE(log.Append("a\r\n"));
    EXPECT_EQ(contents(path("day.csv")), "H\r\nold\r\na\r\n");  // flushed at once, no second header

    ASSERT_TRUE(QDir(dir_.path() + "/LOG").removeRecursively());
    ASSERT_TRUE(log.Append("b\r\n"));  // the folder is made again and the line not lost
    EXPECT_EQ(contents(path("day.csv")), "H\r\nb\r\n");
}

TEST_F(SurveyCsvFileTest, FallbackNamesEachWithItsHeader)
{
    EXPECT_EQ(SurveyCsvFile::FallbackName("/a/b/2026-12-10 Coordinates.csv", 7), "/a/b/2026-12-10 Coordinates_7.csv");
    EXPECT_EQ(SurveyCsvFile::FallbackName("/a.b/log", 1), "/a.b/log_1");

    // A name that cannot be opened as a file (here: a folder of that name).
    QDir().mkpath(path("day.csv"));
    SurveyCsvFile log(path("day.csv").toStdString(), "H\r\n");
    ASSERT_TRUE(log.Append("a\r\n"));
    EXPECT_EQ(QString::fromStdString(log.CurrentPath()), path("day_1.csv"));
    EXPECT_EQ(contents(path("day_1.csv")), "H\r\na\r\n");

    for (int i = 1; i <= 99; ++i) QDir().mkpath(path(QStringLiteral("none_%1.csv").arg(i)));
    QDir().mkpath(path("none.csv"));
    SurveyCsvFile blocked(path("none.csv").toStdString(), "H\r\n");
    EXPECT_FALSE(blocked.Append("a\r\n"));
    EXPECT_FALSE(blocked.Problem().empty());
}

}  // namespace
