#pragma once
// Where the DXF reader takes its bytes from: a file or a block of memory. The
// reader goes through a drawing several times, so a source can go back to any
// byte it has given; it never holds the whole drawing.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

class DxfByteSource {
public:
    virtual ~DxfByteSource() = default;
    // Up to size bytes into buffer; 0 at the end or when reading fails.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // Continues reading at that byte; false when it cannot.
    virtual bool seek(std::uint64_t offset) = 0;
};

// A file read as plain bytes, no translation of line ends.
class DxfFileSource final : public DxfByteSource {
public:
    DxfFileSource() = default;
    DxfFileSource(const DxfFileSource&) = delete;
    DxfFileSource& operator=(const DxfFileSource&) = delete;
    ~DxfFileSource() override;

    bool open(const QString& path);
    std::size_t read(char* buffer, std::size_t size) override;
    bool seek(std::uint64_t offset) override;

private:
    std::FILE* file_ = nullptr;
};

// Bytes held by the caller, who keeps them alive while the source is read.
class DxfMemorySource final : public DxfByteSource {
public:
    explicit DxfMemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override;
    bool seek(std::uint64_t offset) override;

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};
