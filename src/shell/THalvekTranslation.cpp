#include "THalvekTranslation.h"

#include "platform/AppPaths.h"
#include "platform/FileReplacement.h"

#include <QDir>
#include <QFile>

#include <algorithm>

using skerra::isSafeLanguageCode;

namespace {

std::string missingLogPath(const std::string& folder) { return folder + "missing.log"; }

}  // namespace

THalvekTranslation::THalvekTranslation()
    : LanguagesFolder(skerra::programFolder().toStdString() + "Languages/"),
      missingLog_(missingLogPath(LanguagesFolder))
{
    QDir().mkpath(QString::fromStdString(LanguagesFolder));  // a failure leaves empty tables
    ScanLanguages();
    CurrentLanguage = "en";
    LoadLanguageFile("tr", Texts);
    RebuildReverseIndex();
}

std::string THalvekTranslation::LanguageFilePath(const std::string& code) const
{
    return LanguagesFolder + code + ".json";
}

std::string THalvekTranslation::KeyOf(const std::string& text) const
{
    const auto found = ReverseIndex.find(text);
    return found != ReverseIndex.end() ? found->second : text;
}

std::string THalvekTranslation::TextOf(const std::string& key)
{
    if (IsEnglish()) return key;
    const auto found = Texts.find(key);
    if (found != Texts.end() && !found->second.empty()) return found->second;
    LogMissingKey(key);
    return key;
}

std::string THalvekTranslation::Translate(const std::string& text) { return TextOf(KeyOf(text)); }

QString THalvekTranslation::Translate(const QString& text)
{
    return QString::fromStdString(Translate(text.toStdString()));
}

void THalvekTranslation::SetLanguage(const std::string& code)
{
    if (code == CurrentLanguage) return;
    CurrentLanguage = code;
    if (IsEnglish()) return;  // the table stays, so shown translations map back to English
    LoadLanguageFile(code, Texts);
    RebuildReverseIndex();
}

bool THalvekTranslation::LoadLanguageFile(const std::string& code, Table& target)
{
    target.clear();
    LoadProblem.clear();
    if (!isSafeLanguageCode(code)) return true;  // behaves as a language without a file
    QFile file(QString::fromStdString(LanguageFilePath(code)));
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        LoadProblem = code + ".json: cannot be read";
        return false;
    }
    const QByteArray bytes = file.readAll();
    skerra::LanguageFileContent content = skerra::parseLanguageFile(std::string_view(bytes.data(), size_t(bytes.size())));
    if (!content.ok) {
        LoadProblem = code + ".json: " + content.problem;
        return false;
    }
    target = std::move(content.texts);
    return true;
}

void THalvekTranslation::ScanLanguages()
{
    Languages.clear();
    const QDir folder(QString::fromStdString(LanguagesFolder));
    const QStringList files = folder.entryList({QStringLiteral("*.json")},
                                               QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& file : files) {
        const std::string code = file.chopped(5).toStdString();
        if (isSafeLanguageCode(code)) Languages.push_back(code);
    }
    for (const char* code : {"en", "tr"})
        if (std::find(Languages.begin(), Languages.end(), code) == Languages.end()) Languages.push_back(code);
}

void THalvekTranslation::RebuildReverseIndex()
{
    ReverseIndex.clear();
    for (const auto& [key, text] : Texts)
        if (!text.empty()) ReverseIndex[text] = key;
}

std::vector<std::string> THalvekTranslation::GetKeys()
{
    Table turkish;
    LoadLanguageFile("tr", turkish);
    std::vector<std::string> keys;
    keys.reserve(turkish.size());
    for (const auto& entry : turkish) keys.push_back(entry.first);
    return keys;
}

std::string THalvekTranslation::GetTranslation(const std::string& code, const std::string& key)
{
    if (code == "en") return key;
    if (code == CurrentLanguage) {
        const auto found = Texts.find(key);
        return found != Texts.end() ? found->second : key;
    }
    Table other;
    LoadLanguageFile(code, other);
    const auto found = other.find(key);
    return found != other.end() ? found->second : key;
}

void THalvekTranslation::SetTranslation(const std::string& code, const std::string& key, const std::string& text)
{
    if (!CanSave(code) || key.empty()) return;
    Texts[key] = text;
}

bool THalvekTranslation::CanSave(const std::string& code) const
{
    return code != "en" && code == CurrentLanguage && isSafeLanguageCode(code);
}

bool THalvekTranslation::SaveLanguage(const std::string& code)
{
    SaveProblem.clear();
    if (!CanSave(code)) return false;
    QDir().mkpath(QString::fromStdString(LanguagesFolder));
    skerra::FileReplacement file(QString::fromStdString(LanguageFilePath(code)));
    if (file.open() && file.write(skerra::formatLanguageFile(Texts)) && file.commit()) return true;
    SaveProblem = file.errorString().toStdString();
    return false;
}

void THalvekTranslation::Reload()
{
    ScanLanguages();
    if (IsEnglish()) return;
    LoadLanguageFile(CurrentLanguage, Texts);
    RebuildReverseIndex();
}

void THalvekTranslation::LogMissingKey(const std::string& key)
{
    if (OnMissingKey) OnMissingKey(key);
    missingLog_.Record(key);
}
