#include "ImportFileDates.h"

#include <QFile>

#include <sys/stat.h>

std::map<std::string, skerra::chartfiles::ImportFileStamp> ImportFileDates;

namespace skerra::chartfiles {

ImportFileStamp ReadImportFileStamp(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, std::int64_t(st.st_size)};
}

}  // namespace skerra::chartfiles
