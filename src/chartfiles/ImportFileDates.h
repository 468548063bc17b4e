#pragma once
// The XYZ lists the Import command has read in this run, so that an unchanged list
// is not imported twice over itself.

#include <QString>

#include <cstdint>
#include <map>
#include <string>

namespace skerra::chartfiles {

// What tells two versions of a file apart: its modification time in nanoseconds and
// its size. A file that cannot be examined has the stamp {0, -1}.
struct ImportFileStamp {
    std::int64_t modifiedNs = 0;
    std::int64_t size = -1;
    bool operator==(const ImportFileStamp&) const = default;
};

ImportFileStamp ReadImportFileStamp(const QString& path);

}  // namespace skerra::chartfiles

// File name (exactly as chosen) to the stamp the file had when it was last imported.
// Lives for the whole run.
extern std::map<std::string, skerra::chartfiles::ImportFileStamp> ImportFileDates;
