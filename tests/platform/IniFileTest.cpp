#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using skerra::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath("skerra.INI"); }
    QByteArray content() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeRaw(const QByteArray& bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir_;
};

TEST_F(IniFileTest, MissingFileGivesDefaults)
{
    IniFile ini(path());
    EXPECT_EQ(ini.ReadString("APPLICATION", "ThemeStyle", "Light"), "Light");
    EXPECT_EQ(ini.ReadInteger("OVERLAY_SETTINGS", "DepthColor", 0x800000), 0x800000);
    EXPECT_TRUE(ini.ReadBool("X", "Y", true));
}

TEST_F(IniFileTest, NamesMatchWithoutCaseAndSurroundingBlanks)
{
    IniFile ini(path());
    ini.WriteString("FILE", "Last File Saved       ", "/a.qmt");
    ini.WriteString("Offsets", "Offset A     ", "1.5");
    ini.WriteString("offsets", "OFFSET A", "2.5");  // same key: replaces, never duplicates
    ini.WriteString(" file ", "last file saved", "/b.qmt");

    EXPECT_EQ(ini.ReadString("file", "Last File Saved", ""), "/b.qmt");
    EXPECT_EQ(ini.ReadString("OFFSETS", "  offset a", ""), "2.5");
    EXPECT_EQ(content().count("Offset A"), 1);
    EXPECT_EQ(content().count("Last File Saved"), 1);
    EXPECT_EQ(content().count("[FILE]"), 1);
}

TEST_F(IniFileTest, CaseFoldingIsAsciiOnly)
{
    IniFile ini(path());
    ini.WriteString("FILE", "Key", "ascii");
    // A dotless or dotted Turkish i is not an ASCII i: these are other names.
    EXPECT_EQ(ini.ReadString(QString::fromUtf8("fıle"), "Key", "none"), "none");
    EXPECT_EQ(ini.ReadString(QString::fromUtf8("FİLE"), "Key", "none"), "none");
    EXPECT_EQ(ini.ReadString("file", "KEY", "none"), "ascii");
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexadecimal)
{
    writeRaw("[C]\r\nDec=8388608\r\nHex=0x0000FF\r\nHEX2=0XfF\r\nWord=blue\r\nEmpty=\r\nReal=1.5\r\nBool=0\r\n");
    IniFile ini(path());
    const struct { const char* key; int expected; } cases[] = {
        {"Dec", 8388608}, {"Hex", 255}, {"HEX2", 255}, {"Word", -1}, {"Empty", -1}, {"Real", -1}, {"Missing", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini.ReadInteger("C", c.key, -1), c.expected);
    }
    EXPECT_FALSE(ini.ReadBool("C", "Bool", true));
    EXPECT_TRUE(ini.ReadBool("C", "Dec", false));
}

TEST_F(IniFileTest, ReadStringIsCappedAt2047Characters)
{
    IniFile ini(path());
    ini.WriteString("S", "Long", QString(3000, 'x'));
    EXPECT_EQ(ini.ReadString("S", "Long", "").size(), 2047);
}

TEST_F(IniFileTest, ReadsFilesFromOtherProgramsWithBomAndEitherLineEnd)
{
    const QByteArray variants[] = {
        "\xEF\xBB\xBF[SETTINGS]\nLanguage = tr \n",
        "[SETTINGS]\r\nLanguage=tr\r\n",
        "; comment\r\n[SETTINGS]\r\n  Language=tr",
    };
    for (const QByteArray& bytes : variants) {
        writeRaw(bytes);
        IniFile ini(path());
        EXPECT_EQ(ini.ReadString("SETTINGS", "Language", "en"), "tr") << bytes.constData();
    }
}

TEST_F(IniFileTest, WritesKeepOtherContentAndUseCrLf)
{
    writeRaw("; written by hand\n[A]\nx=1\n\n[B]\ny=2\n");
    IniFile ini(path());
    ini.WriteString("A", "z", "3");
    EXPECT_EQ(content(), QByteArray("; written by hand\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"));
}

TEST_F(IniFileTest, EveryWriteReachesTheFileAtOnce)
{
    IniFile writer(path());
    IniFile reader(path());
    writer.WriteInteger("S", "N", 7);
    EXPECT_EQ(reader.ReadInteger("S", "N", 0), 7);
    writer.WriteBool("S", "B", true);
    EXPECT_EQ(reader.ReadString("S", "B", ""), "1");
}

TEST_F(IniFileTest, BatchReplacesTheFileOnceOnCommit)
{
    IniFile ini(path());
    ini.WriteString("S", "Before", "1");
    {
        IniFile::Batch batch(ini);
        for (int i = 0; i < 69; ++i) ini.WriteInteger("S", QString("K%1").arg(i), i);
        EXPECT_EQ(ini.ReadInteger("S", "K68", -1), 68);              // pending writes are visible
        EXPECT_EQ(IniFile(path()).ReadInteger("S", "K0", -1), -1);  // but not yet on disk
        batch.commit();
    }
    EXPECT_EQ(IniFile(path()).ReadInteger("S", "K68", -1), 68);
    {
        IniFile::Batch abandoned(ini);
        ini.WriteString("S", "Before", "2");
    }
    EXPECT_EQ(IniFile(path()).ReadString("S", "Before", ""), "1");
}

TEST_F(IniFileTest, RefusedWriteRaisesAndLeavesTheFileUntouched)
{
    if (geteuid() == 0) {
        // Root ignores permissions; a path below a regular file cannot be written by anyone.
        QFile blocker(dir_.filePath("notadir"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        IniFile ini(dir_.filePath("notadir/skerra.INI"));
        try {
            ini.WriteString("S", "K", "v");
            FAIL();
        } catch (const skerra::IniWriteError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Unable to write to " + dir_.filePath("notadir/skerra.INI").toStdString() + " (Not a directory)");
        }
        return;
    }
    writeRaw("[S]\r\nK=old\r\n");
    chmod(QFile::encodeName(dir_.path()).constData(), 0500);
    chmod(QFile::encodeName(path()).constData(), 0400);
    IniFile ini(path());
    EXPECT_THROW(ini.WriteString("S", "K", "new"), skerra::IniWriteError);
    chmod(QFile::encodeName(dir_.path()).constData(), 0700);
    EXPECT_EQ(content(), QByteArray("[S]\r\nK=old\r\n"));
}

// A disk that fills up (here: a file-size limit) must never leave a cut settings file
// behind a write that reported success.
TEST_F(IniFileTest, AShortWriteRaisesAndLeavesTheFileWhole)
{
    const QByteArray original = "[S]\r\nK=old\r\n";
    writeRaw(original);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    IniFile ini(path());
    std::string error;
    try {
        ini.WriteString("S", "Long", QString(3000, 'x'));
    } catch (const skerra::IniWriteError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, "Unable to write to " + path().toStdString() + " (File too large)");
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(content(), original);
}

TEST_F(IniFileTest, DuplicatesInAForeignFileAreNotMultiplied)
{
    writeRaw("[S]\nK=first\nk=second\n");
    IniFile ini(path());
    EXPECT_EQ(ini.ReadString("S", "K", ""), "first");
    ini.WriteString("S", "K", "new");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "new");
    EXPECT_EQ(content().count("new"), 1);
}

TEST_F(IniFileTest, ValuesCannotInjectLines)
{
    IniFile ini(path());
    ini.WriteString("S", "K", "a\r\n[Other]\r\nX=1");
    EXPECT_FALSE(ini.SectionExists("Other"));
}

}  // namespace

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

TEST_F(IniFileTest, WritesKeepEveryUntouchedLineByteForByte)
{
    const struct {
        const char* what;
        QByteArray before;
        std::function<void(IniFile&)> change;
        QByteArray after;
    } cases[] = {
        {"Windows-1254 bytes elsewhere",
         "[FILE]\r\nLast File Saved       =C:\\Y\xFCzey\\\xFE" "ehir.qmt\r\n; \xDD\xFE\r\n[S]\r\nK=old\r\n",
         [](IniFile& ini) { ini.WriteString("S", "K", "new"); },
         "[FILE]\r\nLast File Saved       =C:\\Y\xFCzey\\\xFE" "ehir.qmt\r\n; \xDD\xFE\r\n[S]\r\nK=new\r\n"},
        {"the changed line keeps its key as written",
         "[S]\r\n  Offset A   = 1.5 \r\n",
         [](IniFile& ini) { ini.WriteString("s", "offset a", "2"); },
         "[S]\r\n  Offset A   =2\r\n"},
        {"a key in Windows-1254 keeps its bytes beside a plain value",
         "[S]\r\n\xDE" "EH\xDDR=Izmir\r\n",
         [](IniFile& ini) { ini.WriteString("S", u("ŞEHİR"), "Ankara"); },
         "[S]\r\n\xDE" "EH\xDDR=Ankara\r\n"},
        // Left in the code page, the key would make the value read in it too.
        {"a key in Windows-1254 goes over to UTF-8 beside a value that is not ASCII",
         "[S]\r\n\xDE" "EH\xDDR=Izmir\r\n",
         [](IniFile& ini) { ini.WriteString("S", u("ŞEHİR"), u("İzmir")); },
         "[S]\r\n\xC5\x9E" "EH\xC4\xB0R=\xC4\xB0zmir\r\n"},
        // "Ç°" in the code page is C7 B0, which alone would read as UTF-8 "ǰ".
        {"a key read in Windows-1254 goes over to UTF-8 whatever its bytes",
         "[S]\r\n\xC7\xB0=\xFE" "ey\r\n",
         [](IniFile& ini) { ini.WriteString("S", u("Ç°"), u("İzmir")); },
         "[S]\r\n\xC3\x87\xC2\xB0=\xC4\xB0zmir\r\n"},
        {"a key read in Windows-1254 whose bytes alone are UTF-8 goes over beside a plain value too",
         "[S]\r\n\xC7\xB0=\xFE" "ey\r\n",
         [](IniFile& ini) { ini.WriteString("S", u("Ç°"), "Ankara"); },
         "[S]\r\n\xC3\x87\xC2\xB0=Ankara\r\n"},
        {"byte-order mark and odd headers",
         "\xEF\xBB\xBF  [ A ]  \nx=1\n[B]\n",
         [](IniFile& ini) { ini.WriteInteger("A", "y", 2); },
         "\xEF\xBB\xBF  [ A ]  \r\nx=1\r\ny=2\r\n[B]\r\n"},
        {"a new section is UTF-8",
         "; \xFE\r\n",
         [](IniFile& ini) { ini.WriteString(u("Yeni"), "Ad", u("ğ")); },
         "; \xFE\r\n[Yeni]\r\nAd=\xC4\x9F\r\n"},
        {"deleting a key",
         "[S]\r\nA=\xF0\r\nB=1\r\n",
         [](IniFile& ini) { ini.DeleteKey("S", "B"); },
         "[S]\r\nA=\xF0\r\n"},
        {"erasing a section",
         "[S]\r\nA=1\r\n[T]\r\nB=\xF0\r\n",
         [](IniFile& ini) { ini.EraseSection("S"); },
         "[T]\r\nB=\xF0\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeRaw(c.before);
        IniFile ini(path());
        c.change(ini);
        EXPECT_EQ(content(), c.after);
    }
}

TEST_F(IniFileTest, LinesThatAreNotUtf8AreReadAsWindows1254)
{
    const struct {
        QByteArray value;
        QString expected;
    } cases[] = {
        {"\xF0\xFD\xFE\xDD\xD0\xDE\xFC\xF6\xE7", u("ğışİĞŞüöç")},
        {"ğışİĞŞüöç", u("ğışİĞŞüöç")},                      // UTF-8 stays UTF-8
        {"\xC3\xBC\xFC", u("Ã¼ü")},                           // one bad byte: the whole line
        {"\xC0\xAF", u("À¯")},                                 // overlong form
        {"\xED\xA0\x80", u("í\u00A0€")},                      // surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toHex().constData());
        writeRaw("[S]\r\nK=" + c.value + "\r\n");
        EXPECT_EQ(IniFile(path()).ReadString("S", "K", ""), c.expected);
    }
    writeRaw("[B\xD6L\xDCM]\r\n\xDEIR=1\r\n");
    EXPECT_EQ(IniFile(path()).ReadInteger(u("BÖLÜM"), u("ŞIR"), 0), 1);
}

// Runs a block as an ordinary user: root ignores file permissions.
class AsOrdinaryUser {
public:
    explicit AsOrdinaryUser(const QStringList& paths)
    {
        if (geteuid() != 0) return;
        for (const QString& p : paths) EXPECT_EQ(chown(QFile::encodeName(p).constData(), kNobody, kNobody), 0);
        active_ = seteuid(kNobody) == 0;
        EXPECT_TRUE(active_);
    }
    ~AsOrdinaryUser()
    {
        if (active_) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
private:
    static constexpr uid_t kNobody = 65534;
    bool active_ = false;
};

TEST_F(IniFileTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace)
{
    const struct {
        mode_t fileMode;
        bool saved;
    } cases[] = {{0600, true}, {0400, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileMode);
        writeRaw("[S]\r\nK=old\r\nX=\xF0\r\n");
        chmod(QFile::encodeName(path()).constData(), c.fileMode);
        chmod(QFile::encodeName(dir_.path()).constData(), 0500);
        bool raised = false;
        {
            AsOrdinaryUser user({dir_.path(), path()});
            try {
                IniFile(path()).WriteString("S", "K", "new");
            } catch (const skerra::IniWriteError&) {
                raised = true;
            }
        }
        chmod(QFile::encodeName(dir_.path()).constData(), 0700);
        chmod(QFile::encodeName(path()).constData(), 0600);
        EXPECT_EQ(raised, !c.saved);
        EXPECT_EQ(content(), c.saved ? QByteArray("[S]\r\nK=new\r\nX=\xF0\r\n") : QByteArray("[S]\r\nK=old\r\nX=\xF0\r\n"));
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"skerra.INI"});  // no temporary left
    }
}

}  // namespace
