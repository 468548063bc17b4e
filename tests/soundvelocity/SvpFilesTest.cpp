#include "soundvelocity/SvpListFiles.h"
#include "soundvelocity/SvpSettings.h"

#include "platform/IniFile.h"
#include "platform/TextLines.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace svp = skerra::svp;

namespace {

void write(const QString& path, const QByteArray& bytes, int ageSeconds = 0)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    QFile touched(path);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    touched.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
}

}  // namespace

TEST(SvpListFiles, Names)
{
    EXPECT_EQ(svp::ListFileName(svp::SvpList::Averaged), "mSortedAveragedSV.ini");
    EXPECT_EQ(svp::DatedListPath("/d/SVP/", "2025-06-14", svp::SvpList::Column), "/d/SVP/2025-06-14 mSVPColumn.ini");
    EXPECT_EQ(svp::ListName(svp::SvpList::RawData), "mRawSVData");
    EXPECT_EQ(svp::ListName(svp::SvpList::Extracted), "mRawSVExtracted");
}

TEST(SvpListFiles, DatedCopyWinsAndEitherSpellingIsRead)
{
    QTemporaryDir dir;
    const QString beside = dir.filePath("mSVPColumn.ini");
    const QString dated = dir.filePath("2025-06-14 mSVPColumn.ini");
    EXPECT_FALSE(svp::LoadList(beside, dated).has_value());

    write(beside, "1500.00\r\n1501.00\r\n");
    EXPECT_EQ(svp::LoadList(beside, dated), QStringList({"1500.00", "1501.00"}));

    write(dir.filePath("2025-06-14 mSVPColumn.INI"), "1490.00\n");  // the other spelling
    EXPECT_EQ(svp::LoadList(beside, dated), QStringList({"1490.00"}));

    write(dated, "1480.00\r\n", 100);  // older than the .INI copy
    EXPECT_EQ(svp::ExistingListFile(dated), dir.filePath("2025-06-14 mSVPColumn.INI"));
    write(dated, "1470.00\r\n");  // now newer
    EXPECT_EQ(svp::LoadList(beside, dated), QStringList({"1470.00"}));
}

TEST(SvpListFiles, WritesCrLfAndReportsTheFileItCannotWrite)
{
    QTemporaryDir dir;
    const svp::SvpListTexts lists{QStringList{"a"}, QStringList{"0,1500.000"}, QStringList{"0,1500.000,1", ""},
                                  QStringList{"1500.00"}};
    const auto into = [&](const QString& folder) {
        return [folder](svp::SvpList l) { return svp::DatedListPath(folder, "2025-06-14", l); };
    };
    EXPECT_EQ(svp::WriteLists(lists, into(dir.path() + "/")), QString());
    QFile f(dir.filePath("2025-06-14 mSortedAveragedSV.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("0,1500.000,1\r\n\r\n"));

    const QString missing = dir.path() + "/no such folder/";
    EXPECT_EQ(svp::WriteLists(lists, into(missing)), missing + "2025-06-14 mRawSVData.ini");
}

TEST(SvpSettings, ReadsDefaultsAndWritesBooleansAsDigits)
{
    QTemporaryDir dir;
    skerra::IniFile ini(dir.filePath("skerra.INI"));
    svp::SvpSettings defaults;
    defaults.maxDepth = "50";
    const svp::SvpSettings read = svp::ReadSvpSettings(ini, defaults);
    EXPECT_EQ(read.searchString, "%*23s %lf,%lf");
    EXPECT_EQ(read.maxDepth, "50");
    EXPECT_TRUE(read.svFirst);
    EXPECT_FALSE(read.depthFirst);
    EXPECT_FALSE(read.useProfile);

    svp::SvpSettings s;
    s.searchString = "%lf\t%lf";
    s.useProfile = true;
    s.svFirst = false;
    s.depthFirst = true;
    svp::WriteSvpSettings(ini, s);
    EXPECT_EQ(ini.ReadString("SVP", "cUseSVP", ""), "1");
    EXPECT_EQ(ini.ReadString("SVP", "rSVFirst", ""), "0");
    const svp::SvpSettings back = svp::ReadSvpSettings(ini, {});
    EXPECT_EQ(back.searchString, "%lf\t%lf");
    EXPECT_TRUE(back.useProfile);
    EXPECT_TRUE(back.depthFirst);
}
