#pragma once
// One survey log file: appended line by line, each line flushed to the system at
// once, a header written first into an empty file.
//
// The file stays open between lines. When it cannot be opened under its name the
// names with "_1" to "_99" before the extension are tried in turn, each getting its
// own header when empty. A missing folder is created again and the open retried;
// a file removed while open is opened afresh.

#include <QFile>

#include <string>

class SurveyCsvFile {
public:
    SurveyCsvFile(std::string path, std::string header);

    // Appends `line` (which carries its own line end). False when nothing could be
    // written; Problem() says why.
    bool Append(const std::string& line);
    void Close();

    const std::string& Path() const { return path_; }
    // The file written to (the path or one of its fallback names); empty while closed.
    std::string CurrentPath() const;
    const std::string& Problem() const { return problem_; }

    // path without its extension + "_" + i + the extension.
    static std::string FallbackName(const std::string& path, int i);

private:
    bool open();
    bool openAs(const std::string& name);

    std::string path_;
    std::string header_;
    QFile file_;
    std::string problem_;
};
