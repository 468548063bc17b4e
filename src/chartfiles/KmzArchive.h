#pragma once
// Unpacking a KMZ archive (a ZIP file, often received by e-mail, so untrusted) into
// a private folder, and choosing its KML document.
//
// Only regular entries with safe relative names are written: no absolute path,
// drive letter or ".." component (a backslash separates folders like a slash), no
// symbolic links or other special files; such entries are passed over. The entry
// count and the bytes written, per entry and in total, are capped; the bytes are
// counted as they are inflated, whatever the archive's headers declare. A cap hit,
// a corrupt or encrypted archive (an entry that inflates to another size than its
// header declares is corrupt) or a file that cannot be written fails the unpack.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace skerra::chartfiles {

struct ZipLimits {
    std::int64_t maxEntries = 10000;
    std::int64_t maxEntryBytes = std::int64_t(512) << 20;
    std::int64_t maxTotalBytes = std::int64_t(1) << 30;
};

struct ZipEntryPath {
    QString path;            // relative, '/'-separated, no empty, "." or ".." component
    bool directory = false;  // the name ended with a separator
};

// The place of an entry inside the unpack folder; nothing for an unsafe name.
std::optional<ZipEntryPath> SafeEntryPath(std::string_view entryName);

// Unpacks into an existing folder. False when the archive cannot be read whole
// within the limits (what was written so far stays in the folder).
bool UnpackZipFile(const QString& zipPath, const QString& folder, const ZipLimits& limits);
bool UnpackZipBuffer(const void* data, std::size_t size, const QString& folder, const ZipLimits& limits);

// The KML document of an unpacked archive: the top-level "doc.kml" in any case of
// letters, else the first top-level "*.kml" in case-insensitive name order. The full
// path, or empty when there is none.
QString ChooseKmlDocument(const QString& folder);

// Creates a new folder "temp_kmz_" + a millisecond tick under the system's temporary
// folder, readable by its owner only; never one that existed already. The path, or
// empty when no folder could be made.
QString MakeUnpackFolder();

}  // namespace skerra::chartfiles
