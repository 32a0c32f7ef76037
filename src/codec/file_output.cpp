#include "codec/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace GPFcodec {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) return false;
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (written && closed) return true;
    ::unlink(path.c_str());
    return false;
}

}  // namespace GPFcodec
