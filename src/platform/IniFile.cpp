#include "IniFile.h"

#include "NumberText.h"
#include "TextLines.h"

#include <QFile>
#include <QSaveFile>

namespace skerra {

// The file as a list of sections, each a list of entries, in file order. Lines that
// are neither a header nor an entry (comments, blank lines) are kept as they stand.
struct IniFile::Document {
    struct Line {
        QString key;    // trimmed key; empty for a kept non-entry line
        QString value;
        QString raw;    // the original text of a non-entry line
    };
    struct Section {
        QString name;   // as written in the header, trimmed
        std::vector<Line> lines;
    };
    std::vector<Line> preamble;   // lines before the first header
    std::vector<Section> sections;
};

namespace {

// ASCII-only case folding: names match whatever the user's locale (a Turkish dotless
// i must not make "FILE" and "file" differ or "fıle" and "file" match).
QString foldName(const QString& name)
{
    QString out = name.trimmed();
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 'A' && u <= 'Z') c = QChar(char16_t(u + 32));
    }
    return out;
}

bool sameName(const QString& a, const QString& b) { return foldName(a) == foldName(b); }

using Doc = IniFile::Document;

Doc parse(const QByteArray& content)
{
    Doc doc;
    std::vector<Doc::Line>* target = &doc.preamble;
    for (const QString& line : splitTextLines(content)) {
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            doc.sections.push_back({t.mid(1, t.size() - 2).trimmed(), {}});
            target = &doc.sections.back().lines;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && !t.startsWith(';') && !line.left(eq).trimmed().isEmpty())
            target->push_back({line.left(eq).trimmed(), line.mid(eq + 1), {}});
        else
            target->push_back({{}, {}, line});
    }
    return doc;
}

QByteArray serialise(const Doc& doc)
{
    QStringList lines;
    auto addLines = [&](const std::vector<Doc::Line>& src) {
        for (const auto& l : src) lines << (l.key.isEmpty() ? l.raw : l.key + '=' + l.value);
    };
    addLines(doc.preamble);
    for (const auto& s : doc.sections) {
        lines << '[' + s.name + ']';
        addLines(s.lines);
    }
    QByteArray out;
    for (const QString& l : lines) out += l.toUtf8() + "\r\n";
    return out;
}

Doc::Section* findSection(Doc& doc, const QString& name)
{
    for (auto& s : doc.sections)
        if (sameName(s.name, name)) return &s;
    return nullptr;
}

const Doc::Section* findSection(const Doc& doc, const QString& name)
{
    return findSection(const_cast<Doc&>(doc), name);
}

Doc::Line* findKey(Doc::Section& s, const QString& key)
{
    for (auto& l : s.lines)
        if (!l.key.isEmpty() && sameName(l.key, key)) return &l;
    return nullptr;
}

void setValue(Doc& doc, const QString& section, const QString& key, const QString& value)
{
    // Keys and values are one line each: a line break in a value would start a new entry.
    QString v = value;
    v.replace('\r', ' ').replace('\n', ' ');
    Doc::Section* s = findSection(doc, section);
    if (!s) {
        doc.sections.push_back({section.trimmed(), {}});
        s = &doc.sections.back();
    }
    if (Doc::Line* l = findKey(*s, key)) {
        l->value = v;
        return;
    }
    // A new key goes after the section's last entry, before trailing blank lines.
    auto pos = s->lines.end();
    while (pos != s->lines.begin() && std::prev(pos)->key.isEmpty() && std::prev(pos)->raw.trimmed().isEmpty())
        --pos;
    s->lines.insert(pos, {key.trimmed(), v, {}});
}

}  // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}
IniFile::~IniFile() = default;

IniFile::Document IniFile::load() const
{
    if (pending_) return *pending_;
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return parse(f.readAll());
}

void IniFile::store(const Document& doc)
{
    if (pending_) {
        *pending_ = doc;
        return;
    }
    QSaveFile f(path_);
    const QByteArray bytes = serialise(doc);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw IniWriteError(("Unable to write to " + path_).toStdString());
}

template <class Edit>
void IniFile::modify(Edit edit)
{
    Document doc = load();
    edit(doc);
    store(doc);
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const Document doc = load();
    const Document::Section* s = findSection(doc, section);
    if (!s) return fallback;
    for (const auto& l : s->lines)
        if (!l.key.isEmpty() && sameName(l.key, key)) return l.value.trimmed().left(MaxValueLength);
    return fallback;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int fallback) const
{
    const QString text = ReadString(section, key, QString());
    return StrToIntDef(text.toStdString(), fallback);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const QString& section, const QString& key, double fallback) const
{
    return StrToFloatDef(ReadString(section, key, QString()).toStdString(), fallback);
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    modify([&](Document& doc) { setValue(doc, section, key, value); });
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value)
{
    WriteString(section, key, QString::fromStdString(FormatGeneral(value, 15)));
}

bool IniFile::SectionExists(const QString& section) const
{
    return findSection(load(), section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    Document doc = load();
    Document::Section* s = findSection(doc, section);
    return s && findKey(*s, key);
}

QStringList IniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    const Document doc = load();
    if (const Document::Section* s = findSection(doc, section))
        for (const auto& l : s->lines)
            if (!l.key.isEmpty()) keys << l.key;
    return keys;
}

void IniFile::EraseSection(const QString& section)
{
    modify([&](Document& doc) {
        std::erase_if(doc.sections, [&](const Document::Section& s) { return sameName(s.name, section); });
    });
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    modify([&](Document& doc) {
        if (Document::Section* s = findSection(doc, section))
            std::erase_if(s->lines, [&](const Document::Line& l) { return !l.key.isEmpty() && sameName(l.key, key); });
    });
}

IniFile::Batch::Batch(IniFile& ini) : ini_(ini)
{
    ini_.pending_ = std::make_unique<Document>(ini_.load());
}

IniFile::Batch::~Batch()
{
    if (!done_) ini_.pending_.reset();
}

void IniFile::Batch::commit()
{
    std::unique_ptr<Document> doc = std::move(ini_.pending_);
    done_ = true;
    ini_.store(*doc);
}

}  // namespace skerra
