#include "chartfiles/DxfByteSource.h"

#include <QFile>

#include <algorithm>
#include <cstring>

DxfFileSource::~DxfFileSource()
{
    if (file_)
        std::fclose(file_);
}

bool DxfFileSource::open(const QString& path)
{
    if (file_)
        std::fclose(file_);
    file_ = std::fopen(QFile::encodeName(path).constData(), "rb");
    return file_ != nullptr;
}

std::size_t DxfFileSource::read(char* buffer, std::size_t size)
{
    if (!file_)
        return 0;
    return std::fread(buffer, 1, size, file_);
}

bool DxfFileSource::seek(std::uint64_t offset)
{
    if (!file_)
        return false;
    std::clearerr(file_);
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::size_t DxfMemorySource::read(char* buffer, std::size_t size)
{
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    if (n > 0)
        std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

bool DxfMemorySource::seek(std::uint64_t offset)
{
    if (offset > bytes_.size())
        return false;
    pos_ = static_cast<std::size_t>(offset);
    return true;
}
