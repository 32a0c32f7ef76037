// MappedFile in the web build. A browser maps no files, so the file (one the
// page was given, reached through emscripten's WORKERFS, or one the core wrote
// into memory) is read whole into memory of its own, a slice at a time: each
// read makes the browser copy a slice of the file, and small slices keep that
// copy small beside the file's bytes.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <new>

#include "support/mapped_file.h"

namespace {

constexpr std::size_t kSlice = std::size_t{8} << 20;

bool readAll(int fd, std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, std::min(kSlice, size - done));
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

std::unique_ptr<MappedFile> MappedFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    // Not enough memory is a file that cannot be opened, not an abort.
    auto* data = size > 0 ? new (std::nothrow) std::uint8_t[size] : nullptr;
    const bool read = size == 0 || (data != nullptr && readAll(fd, data, size));
    ::close(fd);
    if (!read) {
        delete[] data;
        return nullptr;
    }
    return std::unique_ptr<MappedFile>(new MappedFile(path, data, size));
}

MappedFile::~MappedFile() {
    delete[] m_data;
}
