#pragma once
// Small ZIP archives made by the tests, through libzip.

#include <zip.h>

#include <sys/stat.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace ziptest {

struct Entry {
    std::string name;
    std::string content;
    enum Kind { File, Directory, Symlink } kind = File;
    const char* password = nullptr;  // encrypts the entry
};

inline void writeZip(const std::string& path, const std::vector<Entry>& entries)
{
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) throw std::runtime_error("zip_open failed");
    for (const Entry& e : entries) {
        zip_int64_t index = -1;
        if (e.kind == Entry::Directory) {
            index = zip_dir_add(zip, e.name.c_str(), ZIP_FL_ENC_UTF_8);
        } else {
            // The source keeps a pointer to the content: `entries` outlives zip_close.
            zip_source_t* source = zip_source_buffer(zip, e.content.data(), e.content.size(), 0);
            index = zip_file_add(zip, e.name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        }
        if (index < 0) throw std::runtime_error("cannot add " + e.name + ": " + zip_strerror(zip));
        if (e.kind == Entry::Symlink)
            zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, zip_uint32_t(S_IFLNK | 0777) << 16);
        if (e.password && zip_file_set_encryption(zip, zip_uint64_t(index), ZIP_EM_AES_256, e.password) != 0)
            throw std::runtime_error("cannot encrypt " + e.name);
    }
    if (zip_close(zip) != 0) throw std::runtime_error("zip_close failed");
}

}  // namespace ziptest
