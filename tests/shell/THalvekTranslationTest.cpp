// The translation tables: loading, the reverse index, switching, saving and the
// missing-key log.

#include "LanguageFolderFixture.h"
#include "shell/THalvekTranslation.h"

#include <QFileInfo>

#include <set>

namespace {

const QByteArray TurkishFile =
    "\xEF\xBB\xBF{\r\n"
    "  \"Cancel\": \"\xC4\xB0ptal\",\r\n"
    "  \"Depth\": \"\",\r\n"
    "  \"Open\": \"A\xC3\xA7\",\r\n"
    "  \"Save\": \"Kaydet\"\r\n"
    "}\r\n";

class Translation : public LanguageFolderFixture {
protected:
    QByteArray missingLog() const { return contentOf("missing.log"); }
};

TEST_F(Translation, StartsInEnglishWithTheTurkishTableForMappingBack)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    EXPECT_EQ(t.CurrentLanguage, "en");
    EXPECT_EQ(t.LanguagesFolder, languages().toStdString());
    EXPECT_EQ(t.Translate(std::string("Open")), "Open");
    EXPECT_EQ(t.Translate(std::string("Aç")), "Open");
    EXPECT_EQ(t.Translate(QStringLiteral("İptal")), QStringLiteral("Cancel"));
    EXPECT_FALSE(exists("missing.log"));
}

TEST_F(Translation, CreatesTheLanguageFolder)
{
    QDir(languages()).removeRecursively();
    THalvekTranslation t;
    EXPECT_TRUE(QFileInfo(languages()).isDir());
    EXPECT_TRUE(t.Texts.empty());
}

TEST_F(Translation, SwitchesBothWays)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    t.SetLanguage("tr");
    EXPECT_EQ(t.Translate(std::string("Open")), "Aç");
    EXPECT_EQ(t.Translate(std::string("Aç")), "Aç");  // twice gives the same
    t.SetLanguage("en");
    EXPECT_EQ(t.Texts.size(), 4u);  // English keeps the table
    EXPECT_EQ(t.Translate(std::string("Aç")), "Open");
}

TEST_F(Translation, ReverseIndexSkipsEmptyTextsAndTheLaterKeyOwnsASharedText)
{
    writeLanguage("tr.json", R"({"Close": "Kapat", "Shut": "Kapat", "Depth": "", "Save": "Kaydet"})");
    THalvekTranslation t;
    const THalvekTranslation::Table expected{{"Kapat", "Shut"}, {"Kaydet", "Save"}};
    EXPECT_EQ(t.ReverseIndex, expected);
}

TEST_F(Translation, ATranslationEqualToAnotherKeyIsTakenForItsOwnKey)
{
    // The Turkish of "Auto" is the English word "Otomatik"; "Otomatik" is also a key.
    writeLanguage("tr.json", R"({"Auto": "Otomatik", "Otomatik": "Kendiliğinden"})");
    THalvekTranslation t;
    EXPECT_EQ(t.Translate(std::string("Otomatik")), "Auto");
    t.SetLanguage("tr");
    EXPECT_EQ(t.Translate(std::string("Otomatik")), "Otomatik");
    EXPECT_EQ(t.TextOf("Otomatik"), "Kendiliğinden");  // by key, the right text
}

TEST_F(Translation, MissingAndEmptyTextsShowTheKeyAndAreLoggedOnce)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    t.SetLanguage("tr");
    std::vector<std::string> told;
    t.OnMissingKey = [&](const std::string& key) { told.push_back(key); };
    EXPECT_EQ(t.Translate(std::string("Depth")), "Depth");
    EXPECT_EQ(t.Translate(std::string("Speed")), "Speed");
    EXPECT_EQ(t.Translate(std::string("Depth")), "Depth");
    EXPECT_EQ(t.Translate(std::string("Hız ölçümü")), "Hız ölçümü");
    EXPECT_EQ(missingLog(), "Depth\r\nSpeed\r\nHız ölçümü\r\n");
    EXPECT_EQ(told, (std::vector<std::string>{"Depth", "Speed", "Depth", "Hız ölçümü"}));
}

TEST_F(Translation, EmptyKeysAndKeysWithLineBreaksAreNeverLogged)
{
    THalvekTranslation t;
    t.SetLanguage("tr");
    for (const char* text : {"", "two\nlines", "with\r\nCR LF", "lone\rCR"}) EXPECT_EQ(t.Translate(std::string(text)), text);
    EXPECT_FALSE(exists("missing.log"));
}

TEST_F(Translation, TheLogIsReadOnceAndAppendedTo)
{
    writeLanguage("missing.log", "Old key\r\nSpeed");  // written by an earlier run, last line open
    THalvekTranslation t;
    t.SetLanguage("tr");
    t.Translate(std::string("Speed"));
    t.Translate(std::string("Old key"));
    t.Translate(std::string("Course"));
    // Edits made by hand while the program runs are kept: the file is appended to.
    QFile f(languages() + "missing.log");
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("Hand\r\n");
    f.close();
    t.Translate(std::string("Heading"));
    EXPECT_EQ(missingLog(), "Old key\r\nSpeed\r\nCourse\r\nHand\r\nHeading\r\n");
}

TEST_F(Translation, ALanguageWithoutFileOrWithAMalformedFileHasAnEmptyTable)
{
    writeLanguage("tr.json", TurkishFile);
    writeLanguage("bad.json", "[\"Open\", \"Aç\"]");
    THalvekTranslation t;
    t.SetLanguage("de");
    EXPECT_TRUE(t.Texts.empty());
    EXPECT_TRUE(t.ReverseIndex.empty());
    EXPECT_TRUE(t.LoadProblem.empty());
    EXPECT_EQ(t.Translate(std::string("Open")), "Open");
    t.SetLanguage("bad");
    EXPECT_TRUE(t.Texts.empty());
    EXPECT_NE(t.LoadProblem.find("bad.json"), std::string::npos) << t.LoadProblem;
    EXPECT_NE(t.LoadProblem.find("one JSON object"), std::string::npos) << t.LoadProblem;
}

TEST_F(Translation, AnUnsafeCodeReadsAndWritesNoFile)
{
    // A language file outside the folder that a crafted code would reach.
    QFile outside(program_.path() + "/evil.json");
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write(R"({"Open": "pwned"})");
    outside.close();
    for (const std::string& code : std::vector<std::string>{"../evil", "/etc/passwd", "a b", std::string(40, 'x')}) {
        THalvekTranslation t;
        t.SetLanguage(code);
        EXPECT_EQ(t.CurrentLanguage, code);
        EXPECT_TRUE(t.Texts.empty()) << code;
        EXPECT_EQ(t.Translate(std::string("Open")), "Open");
        EXPECT_EQ(t.GetTranslation(code, "Open"), "Open");
        t.SetTranslation(code, "Open", "x");
        EXPECT_TRUE(t.Texts.empty()) << code;
        EXPECT_FALSE(t.SaveLanguage(code)) << code;
    }
    EXPECT_EQ(QDir(program_.path()).entryList(QDir::Files), QStringList{"evil.json"});
    EXPECT_EQ(QDir(languages()).entryList(QDir::Files), QStringList{"missing.log"});
}

TEST_F(Translation, LanguageListFromTheFolder)
{
    const struct {
        QStringList files;
        std::vector<std::string> expected;
    } cases[] = {
        {{}, {"en", "tr"}},
        {{"tr.json"}, {"tr", "en"}},
        {{"de.json", "en.json", "tr.json", "missing.log", "bad name.json", "notes.txt"}, {"de", "en", "tr"}},
    };
    for (const auto& c : cases) {
        QDir(languages()).removeRecursively();
        QDir().mkpath(languages());
        for (const QString& file : c.files) writeLanguage(file, "{}");
        THalvekTranslation t;
        EXPECT_EQ(t.Languages, c.expected) << c.files.join(',').toStdString();
    }
}

TEST_F(Translation, SavesOnlyTheLanguageInForceAndNeverEnglish)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    t.SetTranslation("en", "Open", "x");
    t.SetTranslation("tr", "Open", "x");  // not in force yet
    EXPECT_EQ(t.Texts.at("Open"), "Aç");
    EXPECT_FALSE(t.SaveLanguage("en"));
    EXPECT_FALSE(t.SaveLanguage("tr"));
    EXPECT_FALSE(exists("en.json"));
    EXPECT_EQ(contentOf("tr.json"), TurkishFile);

    t.SetLanguage("tr");
    t.SetTranslation("tr", "Close", "Kapat");
    t.SetTranslation("tr", "", "never an empty key");
    EXPECT_EQ(t.Translate(std::string("Kapat")), "Kapat");  // not reverse-mapped before a rebuild
    EXPECT_TRUE(t.SaveLanguage("tr"));
    THalvekTranslation::Table reread;
    EXPECT_TRUE(t.LoadLanguageFile("tr", reread));
    EXPECT_EQ(reread, t.Texts);
    EXPECT_EQ(reread.count(""), 0u);
    EXPECT_EQ(reread.at("Close"), "Kapat");
}

TEST_F(Translation, AFileSavedAndReadBackIsTheSameBytes)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    t.SetLanguage("tr");
    ASSERT_TRUE(t.SaveLanguage("tr"));
    EXPECT_EQ(contentOf("tr.json"), TurkishFile);
    t.Reload();
    ASSERT_TRUE(t.SaveLanguage("tr"));
    EXPECT_EQ(contentOf("tr.json"), TurkishFile);
}

TEST_F(Translation, AFailedSaveIsReportedAndLeavesTheFile)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    t.SetLanguage("tr");
    t.SetTranslation("tr", "Close", "Kapat");
    {
        NoFileCanBeOpened full;
        EXPECT_FALSE(t.SaveLanguage("tr"));
    }
    EXPECT_EQ(contentOf("tr.json"), TurkishFile);
    EXPECT_EQ(QDir(languages()).entryList(QDir::Files), QStringList{"tr.json"});  // no temporary left behind
}

TEST_F(Translation, GetTranslationAndKeys)
{
    writeLanguage("tr.json", TurkishFile);
    writeLanguage("de.json", R"({"Open": "Öffnen", "Extra": "Mehr"})");
    THalvekTranslation t;
    EXPECT_EQ(t.GetKeys(), (std::vector<std::string>{"Cancel", "Depth", "Open", "Save"}));
    EXPECT_EQ(t.GetTranslation("en", "Open"), "Open");
    EXPECT_EQ(t.GetTranslation("de", "Open"), "Öffnen");
    EXPECT_EQ(t.GetTranslation("de", "Save"), "Save");
    t.SetLanguage("tr");
    EXPECT_EQ(t.GetTranslation("tr", "Depth"), "");
    EXPECT_EQ(t.GetTranslation("tr", "Speed"), "Speed");
}

TEST_F(Translation, ReloadReadsTheFolderAndTheFileAgain)
{
    writeLanguage("tr.json", TurkishFile);
    THalvekTranslation t;
    t.SetLanguage("tr");
    writeLanguage("tr.json", R"({"Open": "Aç!"})");
    writeLanguage("de.json", "{}");
    t.Reload();
    EXPECT_EQ(t.Translate(std::string("Open")), "Aç!");
    EXPECT_EQ(t.Translate(std::string("Aç!")), "Aç!");
    EXPECT_EQ(t.Languages, (std::vector<std::string>{"de", "tr", "en"}));
}

}  // namespace
