#include "support/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<MappedFile> MappedFile::open(const std::string& path) {
    // Non-blocking: a named pipe is refused below instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    const std::uint8_t* data = nullptr;
    if (size > 0) {
        void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapping == MAP_FAILED) {
            ::close(fd);
            return nullptr;
        }
        data = static_cast<const std::uint8_t*>(mapping);
    }
    ::close(fd);  // the mapping keeps the file's contents reachable
    return std::unique_ptr<MappedFile>(new MappedFile(path, data, size));
}

MappedFile::~MappedFile() {
    if (m_data != nullptr) ::munmap(const_cast<std::uint8_t*>(m_data), m_size);
}
