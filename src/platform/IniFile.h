#pragma once
// The program's settings file.
//
// Sections and keys match without regard to ASCII letter case and to blanks around
// them ("Offset A     " and "offset a" are one key); values are read without the
// blanks around them. A line that is not valid UTF-8 is read in the Turkish Windows
// code page (1254), as older settings files were written. Nothing is cached: every
// read parses the file and every write replaces the file at once, atomically (a
// temporary file renamed over it), so a crash never leaves half a file. A write
// changes only the lines it touches: every other line keeps its bytes, and lines end
// with CR LF. New text is written as UTF-8. When the folder does not let a temporary
// file be made but the file itself is writable, the file is written in place (not
// atomically: a disk that fills up half way leaves it cut short). A refused write
// raises IniWriteError "Unable to write to <path> (<reason>)" and leaves the file as
// it was.
//
// Use one IniFile per operation, like the rest of the program: make it, read or write,
// let it go. For many writes that must land together use IniFile::Batch.

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace skerra {

class IniWriteError : public std::runtime_error {
public:
    IniWriteError(const QString& path, const QString& reason)
        : std::runtime_error(("Unable to write to " + path + " (" + reason + ")").toStdString()), reason_(reason)
    {
    }
    // Why the file could not be written ("No space left on device").
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

class IniFile {
public:
    explicit IniFile(QString path);
    ~IniFile();

    const QString& FileName() const { return path_; }

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    double ReadFloat(const QString& section, const QString& key, double fallback) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteFloat(const QString& section, const QString& key, double value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSection(const QString& section) const;  // the key names, as stored
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Collects writes in memory and replaces the file once, on commit(). Reads made
    // through the IniFile while a batch is open see the pending writes. A batch that
    // is destroyed without commit() writes nothing.
    class Batch {
    public:
        explicit Batch(IniFile& ini);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit();
    private:
        IniFile& ini_;
        bool done_ = false;
    };

    // Longest text ReadString returns.
    static constexpr int MaxValueLength = 2047;

    struct Document;  // parsed file (internal)

private:
    Document load() const;
    void store(const Document& doc);
    template <class Edit> void modify(Edit edit);

    QString path_;
    std::unique_ptr<Document> pending_;  // open batch, if any
};

}  // namespace skerra
