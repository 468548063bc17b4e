// KMZ archives from memory: the safe unpacking into a private folder and the choice
// of the KML document. Nothing may be written outside the folder.
#include "chartfiles/KmzArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace skerra::chartfiles;
    static QTemporaryDir root;
    if (!root.isValid()) std::abort();
    const QString folder = root.path() + "/unpack";
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder)) std::abort();

    ZipLimits limits;
    limits.maxEntries = 64;
    limits.maxEntryBytes = 1 << 20;
    limits.maxTotalBytes = 4 << 20;
    UnpackZipBuffer(data, size, folder, limits);
    const QString kml = ChooseKmlDocument(folder);
    if (!kml.isEmpty() && QFileInfo(kml).path() != folder) std::abort();

    // Only the unpack folder below the root; no link anywhere in it.
    if (QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
        != QStringList{"unpack"})
        std::abort();
    qint64 total = 0;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink()) std::abort();
        if (info.isFile()) total += info.size();
    }
    if (total > limits.maxTotalBytes) std::abort();
    return 0;
}
