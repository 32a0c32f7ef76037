// The yardstick for whole-process carving: one pass of glibc's memmem over a
// mapped file, counting the start signature of one carve kind. It does the
// least any carver must do (map the file, look at every byte once), so
// `pictavo-cli carve` is timed against it by bench/startup.sh.
//
//   bench-memmem-scan FILE gif|png|xml

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string_view>

using namespace std::string_view_literals;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench-memmem-scan FILE gif|png|xml\n");
        return 2;
    }
    const std::string_view kind = argv[2];
    const std::string_view signature = kind == "gif"   ? "GIF89a"sv
                                       : kind == "png" ? "\x89PNG\r\n\x1A\n"sv
                                       : kind == "xml" ? "<?xml "sv
                                                       : ""sv;
    if (signature.empty()) {
        std::fprintf(stderr, "bench-memmem-scan: unknown kind %s\n", argv[2]);
        return 2;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || status.st_size == 0) {
        std::fprintf(stderr, "bench-memmem-scan: cannot read %s\n", argv[1]);
        return 1;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped == MAP_FAILED) return 1;
    const auto* data = static_cast<const char*>(mapped);
    std::size_t count = 0;
    for (std::size_t at = 0; at + signature.size() <= size;) {
        const void* hit = ::memmem(data + at, size - at, signature.data(), signature.size());
        if (hit == nullptr) break;
        ++count;
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - data) + 1;
    }
    std::printf("%zu\n", count);
    return 0;
}
