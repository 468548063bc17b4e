#pragma once
// What the translation editor shows and stores, without widgets: one row per key of
// the Turkish file (plus keys added in this session) with its English text and its
// text in the language shown. Only the language in force, and never English, can be
// stored; a key without a text shows an empty cell and is not stored as its English.

#include <string>
#include <vector>

class THalvekTranslation;

class TranslationEditorModel {
public:
    struct Row {
        std::string key;
        std::string english;
        std::string text;
        bool added = false;  // added in this session: stored even while its text is empty
    };
    enum class AddResult { Empty, Exists, Added };

    explicit TranslationEditorModel(THalvekTranslation& translation) : translation_(translation) {}

    // The codes of the language list and the one to select first (the language in
    // force, else the first code).
    std::vector<std::string> Languages() const;
    std::string PreferredLanguage() const;

    // Shows the rows of a language; clears the modified state and the status (or
    // shows why a language file could not be read).
    void Fill(const std::string& language);
    // Reads the language files again and shows the language again.
    void Reload();

    const std::vector<Row>& Rows() const { return rows_; }
    const std::string& Language() const { return language_; }
    bool Modified() const { return modified_; }
    const std::string& Status() const { return status_; }
    // Whether the language shown can be stored (and its texts edited).
    bool CanSave() const;

    // A text cell edited by the user.
    void SetText(size_t row, const std::string& text);
    // Adds a key typed by the user (surrounding blanks and control characters dropped);
    // only where the language shown can be stored.
    AddResult AddKey(const std::string& typed);
    // Stores the rows of the language shown and writes its file. True when written;
    // the status says "Saved!" only then.
    bool Save();

private:
    THalvekTranslation& translation_;
    std::vector<Row> rows_;
    std::string language_;
    bool modified_ = false;
    std::string status_;
};
