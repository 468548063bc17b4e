#include "IniFile.h"

#include "FileReplacement.h"
#include "NumberText.h"
#include "Windows1254.h"

#include <QFile>

#include <algorithm>

namespace skerra {

// The file as a list of sections, each a list of lines, in file order. Every line
// keeps its bytes as read, so a write changes only the lines it touches; the decoded
// key and value serve the look-ups. Lines that are neither a header nor an entry
// (comments, blank lines) have no key.
struct IniFile::Document {
    struct Line {
        QByteArray raw;  // the line's bytes, without its line end
        QString key;     // trimmed key; empty for a non-entry line
        QString value;   // the text after the first "="
    };
    struct Section {
        QByteArray header;  // the header line's bytes
        QString name;       // as written in the header, trimmed
        std::vector<Line> lines;
    };
    bool byteOrderMark = false;
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

// The program writes UTF-8; a line that is not valid UTF-8 was written in the Turkish
// Windows code page.
QString decodeLine(const QByteArray& bytes)
{
    return decodeUtf8OrWindows1254(bytes);
}

// Splits at LF, CR LF or a lone CR; a final line break makes no extra empty line.
std::vector<QByteArray> splitLines(const QByteArray& content)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c != '\n' && c != '\r') continue;
        lines.push_back(content.mid(start, i - start));
        if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < content.size()) lines.push_back(content.mid(start));
    return lines;
}

Doc parse(QByteArray content)
{
    Doc doc;
    doc.byteOrderMark = content.startsWith("\xEF\xBB\xBF");
    if (doc.byteOrderMark) content.remove(0, 3);
    std::vector<Doc::Line>* target = &doc.preamble;
    for (QByteArray& raw : splitLines(content)) {
        const QString line = decodeLine(raw);
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            doc.sections.push_back({std::move(raw), t.mid(1, t.size() - 2).trimmed(), {}});
            target = &doc.sections.back().lines;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && !t.startsWith(';') && !line.left(eq).trimmed().isEmpty())
            target->push_back({std::move(raw), line.left(eq).trimmed(), line.mid(eq + 1)});
        else
            target->push_back({std::move(raw), {}, {}});
    }
    return doc;
}

QByteArray serialise(const Doc& doc)
{
    QByteArray out;
    if (doc.byteOrderMark) out += "\xEF\xBB\xBF";
    auto addLines = [&](const std::vector<Doc::Line>& src) {
        for (const auto& l : src) out += l.raw + "\r\n";
    };
    addLines(doc.preamble);
    for (const auto& s : doc.sections) {
        out += s.header + "\r\n";
        addLines(s.lines);
    }
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
    const QByteArray bytes = v.toUtf8();
    Doc::Section* s = findSection(doc, section);
    if (!s) {
        const QString name = section.trimmed();
        doc.sections.push_back({'[' + name.toUtf8() + ']', name, {}});
        s = &doc.sections.back();
    }
    if (Doc::Line* l = findKey(*s, key)) {
        // The key keeps its bytes as written (padding, letter case, code page) as
        // long as the line is read as before. A line read in the Windows code page
        // stays so only while it is not valid UTF-8: beside a value that is not
        // plain ASCII, or when its key bytes alone happen to be valid UTF-8, its
        // key goes over to UTF-8 too, and keeps its name.
        QByteArray keyPart = l->raw.left(l->raw.indexOf('=') + 1);
        const bool asciiValue = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
        const bool readInCodePage = !QUtf8StringView(l->raw).isValidUtf8();
        const bool staysInCodePage = asciiValue && !QUtf8StringView(keyPart + bytes).isValidUtf8();
        if (readInCodePage && !staysInCodePage)
            keyPart = decodeWindows1254(keyPart).toUtf8();
        l->raw = keyPart + bytes;
        l->value = v;
        return;
    }
    // A new key goes after the section's last entry, before trailing blank lines.
    auto pos = s->lines.end();
    while (pos != s->lines.begin() && std::prev(pos)->key.isEmpty() && std::prev(pos)->raw.trimmed().isEmpty())
        --pos;
    const QString name = key.trimmed();
    s->lines.insert(pos, {name.toUtf8() + '=' + bytes, name, v});
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
    FileReplacement f(path_);
    // In a folder the user may not write, a writable file is still written in place.
    f.allowWritingInPlace();
    if (!f.open() || !f.write(serialise(doc)) || !f.commit())
        throw IniWriteError(path_, f.errorString());
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
