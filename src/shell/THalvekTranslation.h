#pragma once
// The user-interface language. The program's texts are English; `Translate` maps an
// English text to the current language. Until language files are loaded every text is
// its own translation, and `CurrentLanguage` still chooses between the fixed
// English/Turkish message pairs.

#include <QString>
#include <string>

class THalvekTranslation {
public:
    std::string CurrentLanguage = "en";

    void SetLanguage(const std::string& code)
    {
        if (code != CurrentLanguage) CurrentLanguage = code;
    }
    QString Translate(const QString& english) const { return english; }
    bool IsEnglish() const { return CurrentLanguage == "en"; }
};

// The one translation object; created by the main window's creation, never null after.
inline THalvekTranslation* Translation = nullptr;

// The English or the Turkish text of a fixed message pair, by the current language.
inline QString EnglishOrTurkish(const QString& english, const QString& turkish)
{
    return (Translation == nullptr || Translation->IsEnglish()) ? english : turkish;
}
