#pragma once
// The user-interface language. The program's texts are English; an English text is
// its own key. One table maps keys to the texts of a language, read from
// "Languages/<code>.json" beside the program. A reverse index maps translated texts
// back to their keys, so a caption that already shows a translation translates to
// the right text in any language. Keys met without a translation go to
// "Languages/missing.log" for the translators.
//
// Keys and texts are UTF-8. User-interface thread only.

#include "shell/LanguageFile.h"
#include "shell/MissingKeyLog.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class THalvekTranslation {
public:
    using Table = skerra::TranslationTable;

    // The language folder beside the program (made when missing), the language list,
    // English in force and the Turkish table loaded.
    THalvekTranslation();

    Table Texts;                          // key -> text of the table loaded last
    Table ReverseIndex;                   // non-empty text -> key, derived from Texts
    std::string CurrentLanguage;          // "en" after construction
    std::string LanguagesFolder;          // ends with the path separator
    std::vector<std::string> Languages;   // codes offered to the user
    // Why the last language file read gave an empty table; empty when it was read.
    std::string LoadProblem;
    // Why the last SaveLanguage could not write the file; empty when it could.
    std::string SaveProblem;
    // Told of every key met without a translation (also keys the log never keeps).
    std::function<void(const std::string& key)> OnMissingKey;

    // The text to show for a text in the current language.
    std::string Translate(const std::string& text);
    QString Translate(const QString& text);
    // The key of a text: the key whose translation it is, else the text itself.
    std::string KeyOf(const std::string& text) const;
    // The text of a key in the current language; a key without a text is logged and
    // shows itself.
    std::string TextOf(const std::string& key);

    void SetLanguage(const std::string& code);
    // Replaces the target by the pairs of that code's file. False (target empty, the
    // reason in LoadProblem) when the file is unreadable or malformed; a missing file
    // or a code that may not name a file gives an empty target and true.
    bool LoadLanguageFile(const std::string& code, Table& target);
    void ScanLanguages();
    void RebuildReverseIndex();
    std::vector<std::string> GetKeys();
    std::string GetTranslation(const std::string& code, const std::string& key);
    void SetTranslation(const std::string& code, const std::string& key, const std::string& text);
    // Writes the table of the language in force (never English) to its file, replaced
    // as a whole. True when the file was written.
    bool SaveLanguage(const std::string& code);
    // Whether SaveLanguage would write that code's file.
    bool CanSave(const std::string& code) const;
    void Reload();
    void LogMissingKey(const std::string& key);

    bool IsEnglish() const { return CurrentLanguage == "en"; }
    std::string LanguageFilePath(const std::string& code) const;

private:
    skerra::MissingKeyLog missingLog_;
};

// The one translation object; created by the main window's creation, never null after.
inline THalvekTranslation* Translation = nullptr;

// The English or the Turkish text of a fixed message pair, by the current language.
inline QString EnglishOrTurkish(const QString& english, const QString& turkish)
{
    return (Translation == nullptr || Translation->IsEnglish()) ? english : turkish;
}
