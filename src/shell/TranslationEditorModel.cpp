#include "TranslationEditorModel.h"

#include "THalvekTranslation.h"

#include <algorithm>

namespace {

bool isBlankOrControl(unsigned char c) { return c <= ' ' || c == 0x7F; }

std::string trimmed(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && isBlankOrControl(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && isBlankOrControl(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::vector<std::string> TranslationEditorModel::Languages() const { return translation_.Languages; }

std::string TranslationEditorModel::PreferredLanguage() const
{
    const std::vector<std::string>& codes = translation_.Languages;
    if (std::find(codes.begin(), codes.end(), translation_.CurrentLanguage) != codes.end())
        return translation_.CurrentLanguage;
    return codes.empty() ? std::string() : codes.front();
}

bool TranslationEditorModel::CanSave() const { return translation_.CanSave(language_); }

void TranslationEditorModel::Fill(const std::string& language)
{
    language_ = language;
    rows_.clear();
    status_.clear();
    const std::vector<std::string> keys = translation_.GetKeys();
    std::string problem = translation_.LoadProblem;

    THalvekTranslation::Table other;
    const THalvekTranslation::Table* texts = &translation_.Texts;
    if (language != translation_.CurrentLanguage && language != "en") {
        translation_.LoadLanguageFile(language, other);
        if (problem.empty()) problem = translation_.LoadProblem;
        texts = &other;
    }
    for (const std::string& key : keys) {
        if (key.empty()) continue;
        Row row{key, key, std::string(), false};
        if (language == "en") {
            row.text = key;
        } else if (const auto found = texts->find(key); found != texts->end()) {
            row.text = found->second;
        }
        rows_.push_back(std::move(row));
    }
    modified_ = false;
    status_ = problem;
}

void TranslationEditorModel::Reload()
{
    translation_.Reload();
    const std::string reloadProblem = translation_.LoadProblem;
    Fill(language_);
    if (status_.empty()) status_ = reloadProblem.empty() ? "Reloaded" : reloadProblem;
}

void TranslationEditorModel::SetText(size_t row, const std::string& text)
{
    if (row >= rows_.size() || !CanSave()) return;
    if (rows_[row].text == text) return;
    rows_[row].text = text;
    modified_ = true;
    status_ = "Modified";
}

TranslationEditorModel::AddResult TranslationEditorModel::AddKey(const std::string& typed)
{
    const std::string key = trimmed(typed);
    if (key.empty() || !CanSave()) return AddResult::Empty;
    if (std::any_of(rows_.begin(), rows_.end(), [&](const Row& r) { return r.key == key; })) {
        status_ = "Key already exists";
        return AddResult::Exists;
    }
    rows_.push_back(Row{key, key, std::string(), true});
    modified_ = true;
    status_ = "Key added - don't forget to save";
    return AddResult::Added;
}

bool TranslationEditorModel::Save()
{
    if (!CanSave()) {
        status_ = language_ == "en" ? "Not saved: English is the program's own language"
                                    : "Not saved: only the language in force can be saved";
        return false;
    }
    for (Row& row : rows_) {
        const bool known = translation_.Texts.count(row.key) > 0;
        if (!row.text.empty() || known || row.added) translation_.SetTranslation(language_, row.key, row.text);
    }
    if (!translation_.SaveLanguage(language_)) {
        status_ = "Not saved: " + translation_.LanguageFilePath(language_) + " could not be written (" +
                  translation_.SaveProblem + ")";
        return false;
    }
    translation_.RebuildReverseIndex();
    for (Row& row : rows_) row.added = false;
    modified_ = false;
    status_ = "Saved!";
    return true;
}
