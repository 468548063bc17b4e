// KMZ archives: safe entry names, the choice of the KML document, the unpack folder's
// life, caps and broken archives, on the archives of the KML reference library and
// on archives made here.

#include "ZipMaker.h"

#include "chartfiles/HalvekKMZLoader.h"
#include "chartfiles/KmzArchive.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using skerra::chartfiles::ChooseKmlDocument;
using skerra::chartfiles::SafeEntryPath;
using skerra::chartfiles::UnpackZipBuffer;
using skerra::chartfiles::UnpackZipFile;
using skerra::chartfiles::ZipLimits;
using ziptest::Entry;

std::string kmlData(const char* name) { return std::string(SKERRA_TESTDATA) + "/kml/" + name; }

struct NameCase {
    const char* name;
    const char* path;  // null: unsafe
    bool directory;
};

class SafeEntryNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(SafeEntryNameTest, KeepsEntriesInsideTheFolder)
{
    const auto place = SafeEntryPath(GetParam().name);
    if (!GetParam().path) {
        EXPECT_FALSE(place) << GetParam().name;
        return;
    }
    ASSERT_TRUE(place) << GetParam().name;
    EXPECT_EQ(place->path.toStdString(), GetParam().path);
    EXPECT_EQ(place->directory, GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SafeEntryNameTest,
    testing::Values(NameCase{"doc.kml", "doc.kml", false}, NameCase{"a/b/c.kml", "a/b/c.kml", false},
                    NameCase{"a\\b.kml", "a/b.kml", false}, NameCase{"foo/", "foo", true},
                    NameCase{"foo\\bar\\", "foo/bar", true}, NameCase{"./a//b.kml", "a/b.kml", false},
                    NameCase{"..a/b..", "..a/b..", false}, NameCase{"ab:c.kml", "ab:c.kml", false}, NameCase{"a:b.kml", nullptr, false},
                    NameCase{"../evil.kml", nullptr, false}, NameCase{"a/../../evil.kml", nullptr, false},
                    NameCase{"a\\..\\..\\evil.kml", nullptr, false}, NameCase{"a/..", nullptr, false},
                    NameCase{"/abs.kml", nullptr, false}, NameCase{"\\abs.kml", nullptr, false},
                    NameCase{"C:evil.kml", nullptr, false}, NameCase{"c:\\evil.kml", nullptr, false},
                    NameCase{"C:/x/evil.kml", nullptr, false}, NameCase{"", nullptr, false},
                    NameCase{"./", nullptr, false}, NameCase{".", nullptr, false}));

// Every test runs with the system's temporary folder pointed at a folder of its own.
class KmzTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        tmp_ = root_.path() + "/tmp";
        ASSERT_TRUE(QDir().mkpath(tmp_));
        const char* old = std::getenv("TMPDIR");
        if (old) oldTmp_ = old;
        setenv("TMPDIR", tmp_.toLocal8Bit().constData(), 1);
        ASSERT_EQ(QDir::tempPath(), QDir(tmp_).canonicalPath());
    }
    void TearDown() override
    {
        if (oldTmp_)
            setenv("TMPDIR", oldTmp_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    // What the temporary folder holds, recursively, relative to it.
    QStringList tmpContents() const
    {
        QStringList list;
        QDirIterator it(tmp_, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) list << QDir(tmp_).relativeFilePath(it.next());
        list.sort();
        return list;
    }
    std::string madeZip(const std::vector<Entry>& entries, const char* name = "made.kmz")
    {
        const std::string path = (root_.path() + "/" + name).toStdString();
        ziptest::writeZip(path, entries);
        return path;
    }

    QTemporaryDir root_;
    QString tmp_;
    std::optional<std::string> oldTmp_;
};

struct ArchiveCase {
    const char* file;
    const char* text;   // part of the chosen document, or null when the unpack fails
};

class KmzLibraryArchiveTest : public KmzTest, public testing::WithParamInterface<ArchiveCase> {};

TEST_P(KmzLibraryArchiveTest, ChoosesTheDocumentOrFailsAsNoKml)
{
    {
        THalvekKMZLoader loader;
        const std::string text = loader.ExtractKMZ(kmlData(GetParam().file));
        if (GetParam().text) {
            EXPECT_NE(text.find(GetParam().text), std::string::npos) << text;
            EXPECT_EQ(loader.LastError, "");
        } else {
            EXPECT_EQ(text, "");
            EXPECT_EQ(loader.LastError, "No KML file found in KMZ archive");
        }
        // The folder lies under the temporary folder until the loader lets it go.
        EXPECT_TRUE(QFileInfo(QString::fromStdString(loader.TempFolder)).isDir());
        EXPECT_TRUE(QString::fromStdString(loader.TempFolder).startsWith(QDir::tempPath() + "/temp_kmz_"));
    }
    EXPECT_EQ(tmpContents(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceArchives, KmzLibraryArchiveTest,
    testing::Values(ArchiveCase{"doc.kmz", "<name>doc.kml</name>"},
                    ArchiveCase{"multikml-nodoc.kmz", "<name>b.kml</name>"}, ArchiveCase{"nokml.kmz", nullptr},
                    // Declares 4 GiB for its one entry.
                    ArchiveCase{"bad-too-large.kmz", nullptr},
                    ArchiveCase{"overflow_bad_offset.kmz", nullptr}));

TEST_F(KmzTest, LoadingRemovesTheFolderAfterSuccessAndFailure)
{
    const std::string good = madeZip({{"doc.kml", "<Placemark><Point><coordinates>1,2</coordinates></Point></Placemark>"}});
    const std::string none = madeZip({{"doc.txt", "x"}}, "none.kmz");
    THalvekKMZLoader loader;
    EXPECT_TRUE(loader.LoadFromFile(good));
    EXPECT_EQ(loader.TempFolder, "");
    EXPECT_EQ(tmpContents(), QStringList());
    EXPECT_EQ(loader.Placemarks.size(), 1u);
    // Placemarks without geometry: unpacked and read, but nothing to keep.
    EXPECT_FALSE(loader.LoadFromFile(kmlData("doc.kmz")));
    EXPECT_EQ(loader.LastError, kNoPlacemarkGeometry);
    EXPECT_EQ(tmpContents(), QStringList());
    EXPECT_FALSE(loader.LoadFromFile(none));
    EXPECT_EQ(loader.LastError, "No KML file found in KMZ archive");
    loader.CleanupTempFolder();
    EXPECT_EQ(tmpContents(), QStringList());
}

TEST_F(KmzTest, AnExceptionWhileParsingLeavesNoFolderBehind)
{
    const std::string path = madeZip({{"doc.kml", "<Placemark><Point><coordinates>1,2</coordinates></Point></Placemark>"}});
    {
        THalvekKMZLoader loader;
        loader.OnConvertCoordinate = [](double&, double&, double, double) { throw std::runtime_error("converter"); };
        EXPECT_THROW(loader.LoadFromFile(path), std::runtime_error);
    }
    EXPECT_EQ(tmpContents(), QStringList());
}

TEST_F(KmzTest, UpperCaseExtensionIsAnArchive)
{
    const std::string path = madeZip({{"doc.kml", "<Placemark><Point><coordinates>1,2</coordinates></Point></Placemark>"}},
                                     "UPPER.KMZ");
    THalvekKMZLoader loader;
    EXPECT_TRUE(loader.LoadFromFile(path));
}

TEST_F(KmzTest, HostileEntriesWriteNothingOutsideTheFolder)
{
    const std::string path = madeZip({{"../evil.kml", "<evil/>"},
                                      {"/abs.kml", "<evil/>"},
                                      {"C:evil.kml", "<evil/>"},
                                      {"sub\\..\\..\\evil2.kml", "<evil/>"},
                                      {"link.kml", "../evil3.kml", Entry::Symlink},
                                      {"dir\\inner.kml", "<inner/>"},
                                      {"empty/", "", Entry::Directory},
                                      {"z.kml", "<z/>"}});
    THalvekKMZLoader loader;
    const std::string text = loader.ExtractKMZ(path);
    // link.kml is passed over, so z.kml is the first top-level document.
    EXPECT_EQ(text, "<z/>");
    const QString folder = QDir(tmp_).relativeFilePath(QString::fromStdString(loader.TempFolder));
    EXPECT_EQ(tmpContents(), (QStringList{folder, folder + "/dir", folder + "/dir/inner.kml", folder + "/empty",
                                          folder + "/temp.zip", folder + "/z.kml"}));
    EXPECT_EQ(QDir(root_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"made.kmz", "tmp"}));
    EXPECT_FALSE(QFileInfo::exists("/abs.kml"));
}

TEST_F(KmzTest, TheUnpackFolderIsNeverOneThatExisted)
{
    // Folders of every name the next few ticks could give.
    QStringList made;
    for (int i = 0; i < 3; ++i) {
        const QString f = skerra::chartfiles::MakeUnpackFolder();
        ASSERT_FALSE(f.isEmpty());
        EXPECT_FALSE(made.contains(f));
        made << f;
        EXPECT_EQ(QFileInfo(f).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
    }
}

struct CapCase {
    const char* name;
    ZipLimits limits;
    std::vector<Entry> entries;
    bool unpacked;
};

class KmzCapTest : public KmzTest, public testing::WithParamInterface<CapCase> {};

TEST_P(KmzCapTest, CapsCountWhatIsInflated)
{
    const std::string path = madeZip(GetParam().entries);
    QTemporaryDir out;
    EXPECT_EQ(UnpackZipFile(QString::fromStdString(path), out.path(), GetParam().limits), GetParam().unpacked);
    QDirIterator it(out.path(), QDir::Files);
    while (it.hasNext()) EXPECT_LE(QFileInfo(it.next()).size(), GetParam().limits.maxEntryBytes);
}

const std::string k100k(100000, 'a');
const std::string k40k(40000, 'b');

INSTANTIATE_TEST_SUITE_P(
    Caps, KmzCapTest,
    testing::Values(CapCase{"WithinCaps", {3, 100000, 200000}, {{"a.kml", k100k}, {"b.kml", k40k}}, true},
                    CapCase{"EntryTooLarge", {3, 99999, 1 << 30}, {{"a.kml", k100k}}, false},
                    CapCase{"TotalTooLarge", {3, 1 << 30, 139999}, {{"a.kml", k100k}, {"b.kml", k40k}}, false},
                    CapCase{"TooManyEntries", {2, 1 << 30, 1 << 30}, {{"a", "1"}, {"b", "2"}, {"c", "3"}}, false},
                    CapCase{"SkippedEntriesCountToo", {2, 1 << 30, 1 << 30}, {{"../a", "1"}, {"b", "2"}, {"c", "3"}},
                            false}),
    [](const testing::TestParamInfo<CapCase>& info) { return std::string(info.param.name); });

// A header that understates the size does not let more bytes through.
TEST_F(KmzTest, LyingSizeHeadersDoNotRaiseTheCaps)
{
    const std::string path = madeZip({{"doc.kml", std::string(1 << 20, 'x')}});
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const auto setSize = [&](qsizetype at) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = char(i == 0 ? 10 : 0);
    };
    setSize(22);                                   // local header: uncompressed size
    const qsizetype central = bytes.indexOf(QByteArray("PK\x01\x02", 4));
    ASSERT_GT(central, 0);
    setSize(central + 24);                         // central directory: uncompressed size
    f.seek(0);
    f.write(bytes);
    f.close();
    QTemporaryDir out;
    EXPECT_FALSE(UnpackZipFile(f.fileName(), out.path(), {10, 65536, 65536}));
    EXPECT_LE(QFileInfo(out.path() + "/doc.kml").size(), 65536);
}

TEST_F(KmzTest, BrokenArchivesFailAsNoKml)
{
    const std::string garbage = (root_.path() + "/garbage.kmz").toStdString();
    QFile g(QString::fromStdString(garbage));
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("PK\x03\x04 this is not an archive");
    g.close();
    std::vector<std::string> archives{garbage};
    try {
        archives.push_back(madeZip({{"doc.kml", "<Placemark/>", Entry::File, "secret"}}, "locked.kmz"));
    } catch (const std::runtime_error& e) {
        ADD_FAILURE() << "cannot make an encrypted archive: " << e.what();
    }
    for (const std::string& a : archives) {
        THalvekKMZLoader loader;
        EXPECT_FALSE(loader.LoadFromFile(a)) << a;
        EXPECT_EQ(loader.LastError, "No KML file found in KMZ archive") << a;
    }
    EXPECT_EQ(tmpContents(), QStringList());
}

TEST_F(KmzTest, MissingArchive)
{
    THalvekKMZLoader loader;
    EXPECT_FALSE(loader.LoadFromFile("/nonexistent/x.kmz"));
    EXPECT_EQ(loader.LastError, "File not found: /nonexistent/x.kmz");
    EXPECT_EQ(loader.ExtractKMZ("/nonexistent/x.kmz"), "");
    EXPECT_EQ(loader.LastError, "Failed to copy KMZ file");
    loader.CleanupTempFolder();
    EXPECT_EQ(tmpContents(), QStringList());
}

struct ChoiceCase {
    const char* name;
    std::vector<const char*> files;  // names ending in '/' are folders
    const char* chosen;
};

class KmlDocumentChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(KmlDocumentChoiceTest, DocFirstThenFirstByName)
{
    QTemporaryDir dir;
    for (const char* f : GetParam().files) {
        const QString path = dir.path() + "/" + f;
        if (path.endsWith('/')) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    const QString chosen = ChooseKmlDocument(dir.path());
    EXPECT_EQ(chosen.isEmpty() ? QString() : QFileInfo(chosen).fileName(), QString(GetParam().chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, KmlDocumentChoiceTest,
    testing::Values(ChoiceCase{"Doc", {"a.kml", "doc.kml"}, "doc.kml"},
                    ChoiceCase{"DocAnyCase", {"a.kml", "DOC.KML"}, "DOC.KML"},
                    ChoiceCase{"FirstIgnoringCase", {"b.kml", "C.kml", "A.kml"}, "A.kml"},
                    ChoiceCase{"ExtensionAnyCase", {"z.KML", "a.txt"}, "z.KML"},
                    ChoiceCase{"OnlyInSubfolder", {"sub/doc.kml", "x.txt"}, ""},
                    ChoiceCase{"FolderNamedKml", {"a.kml/", "b.kmlx"}, ""}, ChoiceCase{"Nothing", {}, ""}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

TEST(KmzBufferTest, UnpacksFromMemoryLikeFromAFile)
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/m.kmz").toStdString();
    ziptest::writeZip(path, {{"doc.kml", "<d/>"}, {"../x", "y"}});
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QString out = dir.path() + "/out";
    QDir().mkpath(out);
    ASSERT_TRUE(UnpackZipBuffer(bytes.constData(), size_t(bytes.size()), out, {}));
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"doc.kml"});
    EXPECT_FALSE(UnpackZipBuffer("PK", 2, out, {}));
}

}  // namespace
