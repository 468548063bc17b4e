// The translation editor's rows, edits, added keys and saving.

#include "LanguageFolderFixture.h"
#include "shell/THalvekTranslation.h"
#include "shell/TranslationEditorModel.h"

namespace {

class EditorModel : public LanguageFolderFixture {
protected:
    void SetUp() override
    {
        LanguageFolderFixture::SetUp();
        writeLanguage("tr.json", R"({"Cancel": "İptal", "Depth": "", "Open": "Aç", "Save": "Kaydet"})");
        writeLanguage("de.json", R"({"Open": "Öffnen"})");
    }
    static std::vector<std::string> texts(const TranslationEditorModel& m)
    {
        std::vector<std::string> out;
        for (const auto& row : m.Rows()) out.push_back(row.text);
        return out;
    }
};

TEST_F(EditorModel, RowsShowTheTurkishKeysAndNoFabricatedTexts)
{
    THalvekTranslation t;
    t.SetLanguage("tr");
    t.Texts.erase("Save");  // in force but untranslated: an empty cell, not its English
    TranslationEditorModel m(t);
    const struct {
        std::string language;
        std::vector<std::string> texts;
        bool canSave;
    } cases[] = {
        {"tr", {"İptal", "", "Aç", ""}, true},
        {"de", {"", "", "Öffnen", ""}, false},
        {"en", {"Cancel", "Depth", "Open", "Save"}, false},
        {"xx", {"", "", "", ""}, false},
    };
    for (const auto& c : cases) {
        m.Fill(c.language);
        EXPECT_EQ(texts(m), c.texts) << c.language;
        EXPECT_EQ(m.CanSave(), c.canSave) << c.language;
        ASSERT_EQ(m.Rows().size(), 4u);
        EXPECT_EQ(m.Rows()[2].key, "Open");
        EXPECT_EQ(m.Rows()[2].english, "Open");
        EXPECT_FALSE(m.Modified());
    }
}

TEST_F(EditorModel, EnglishInForceSavesNothing)
{
    THalvekTranslation t;
    TranslationEditorModel m(t);
    EXPECT_EQ(m.PreferredLanguage(), "en");
    for (const char* language : {"en", "tr"}) {
        m.Fill(language);
        EXPECT_FALSE(m.CanSave()) << language;
        m.SetText(0, "changed");
        EXPECT_FALSE(m.Modified()) << language;  // nothing there can be stored
        EXPECT_FALSE(m.Save()) << language;
        EXPECT_NE(m.Status(), "Saved!");
    }
    EXPECT_FALSE(exists("en.json"));
    EXPECT_EQ(contentOf("tr.json"), R"({"Cancel": "İptal", "Depth": "", "Open": "Aç", "Save": "Kaydet"})");
}

TEST_F(EditorModel, EditAddSaveAndTheTranslationsFollow)
{
    THalvekTranslation t;
    t.SetLanguage("tr");
    TranslationEditorModel m(t);
    m.Fill(m.PreferredLanguage());
    EXPECT_EQ(m.Language(), "tr");
    m.SetText(1, "Derinlik");
    EXPECT_TRUE(m.Modified());
    EXPECT_EQ(m.Status(), "Modified");

    EXPECT_EQ(m.AddKey("  \tOpen \r"), TranslationEditorModel::AddResult::Exists);
    EXPECT_EQ(m.Status(), "Key already exists");
    EXPECT_EQ(m.AddKey(" \t "), TranslationEditorModel::AddResult::Empty);
    EXPECT_EQ(m.AddKey("  Speed "), TranslationEditorModel::AddResult::Added);
    EXPECT_EQ(m.Status(), "Key added - don't forget to save");
    EXPECT_EQ(m.Rows().back().key, "Speed");
    EXPECT_EQ(m.Rows().back().text, "");
    EXPECT_EQ(m.AddKey("New"), TranslationEditorModel::AddResult::Added);
    m.SetText(m.Rows().size() - 1, "Yeni");

    ASSERT_TRUE(m.Save());
    EXPECT_EQ(m.Status(), "Saved!");
    EXPECT_FALSE(m.Modified());
    EXPECT_EQ(contentOf("tr.json"),
              "\xEF\xBB\xBF{\r\n"
              "  \"Cancel\": \"İptal\",\r\n"
              "  \"Depth\": \"Derinlik\",\r\n"
              "  \"New\": \"Yeni\",\r\n"
              "  \"Open\": \"Aç\",\r\n"
              "  \"Save\": \"Kaydet\",\r\n"
              "  \"Speed\": \"\"\r\n"
              "}\r\n");
    // The reverse index follows the save: a caption showing the new text maps back.
    EXPECT_EQ(t.KeyOf("Derinlik"), "Depth");
    // A restart reads the saved texts.
    THalvekTranslation restarted;
    restarted.SetLanguage("tr");
    EXPECT_EQ(restarted.Translate(std::string("Depth")), "Derinlik");
    EXPECT_EQ(restarted.Translate(std::string("New")), "Yeni");
}

TEST_F(EditorModel, UntouchedUntranslatedKeysAreNotStored)
{
    THalvekTranslation t;
    t.SetLanguage("de");
    TranslationEditorModel m(t);
    m.Fill("de");
    m.SetText(0, "Abbrechen");
    ASSERT_TRUE(m.Save());
    THalvekTranslation::Table stored;
    ASSERT_TRUE(t.LoadLanguageFile("de", stored));
    EXPECT_EQ(stored, (THalvekTranslation::Table{{"Cancel", "Abbrechen"}, {"Open", "Öffnen"}}));
}

TEST_F(EditorModel, AFailedWriteIsShownAndTheEditsStay)
{
    THalvekTranslation t;
    t.SetLanguage("tr");
    TranslationEditorModel m(t);
    m.Fill("tr");
    m.SetText(1, "Derinlik");
    {
        NoFileCanBeOpened full;
        EXPECT_FALSE(m.Save());
    }
    EXPECT_TRUE(m.Modified());
    EXPECT_NE(m.Status().find("Not saved"), std::string::npos) << m.Status();
    EXPECT_NE(m.Status().find("tr.json"), std::string::npos) << m.Status();
    EXPECT_TRUE(m.Save());
}

TEST_F(EditorModel, AMalformedFileIsNamedInTheStatus)
{
    writeLanguage("tr.json", R"({"Open" "Aç"})");
    THalvekTranslation t;
    TranslationEditorModel m(t);
    m.Fill("tr");
    EXPECT_TRUE(m.Rows().empty());
    EXPECT_NE(m.Status().find("tr.json: not a valid language file at byte 9"), std::string::npos) << m.Status();
}

TEST_F(EditorModel, ReloadDropsEditsAndReadsTheFilesAgain)
{
    THalvekTranslation t;
    t.SetLanguage("tr");
    TranslationEditorModel m(t);
    m.Fill("tr");
    m.SetText(0, "Vazgeç");
    writeLanguage("tr.json", R"({"Cancel": "Vazgeç", "Open": "Aç"})");
    m.Reload();
    EXPECT_FALSE(m.Modified());
    EXPECT_EQ(m.Status(), "Reloaded");
    EXPECT_EQ(texts(m), (std::vector<std::string>{"Vazgeç", "Aç"}));
}

}  // namespace
