#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "devtools/mkflash_args.h"

namespace {

/// Writes the whole image or nothing: a failed write removes the partial file.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::cerr << "pictavo-mkflash: cannot write " << path << ": " << std::strerror(errno)
                  << '\n';
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::cerr << "pictavo-mkflash: cannot write " << path << ": "
                  << std::strerror(written ? errno : writeError) << '\n';
        std::remove(path.c_str());
        return false;
    }
    return true;
}

void printList(const char* what, const std::vector<int>& numbers) {
    std::cout << what << ':';
    for (const int number : numbers) std::cout << ' ' << number;
    std::cout << '\n';
}

/// What the version changed, so its mapping to the image is known: indices
/// of the version for inserted and changed pictures, of the image for removed ones.
void printChanges(const MkflashLayout& layout) {
    std::vector<int> inserted;
    std::vector<int> changed;
    for (const MkflashPicture& picture : layout.pictures) {
        if (picture.origin < 0) inserted.push_back(picture.index);
        if (picture.changed) changed.push_back(picture.index);
    }
    printList("inserted", inserted);
    printList("removed", layout.removed);
    printList("changed", changed);
}

}  // namespace

int main(int argc, char** argv) {
    const ParsedMkflashArgs parsed =
        ParseMkflashArgs(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.ok() && parsed.command.help) {
        std::cout << MkflashUsage();
        return 0;
    }
    if (!parsed.ok()) {
        std::cerr << "pictavo-mkflash: " << parsed.error << "\n\n" << MkflashUsage();
        return 2;
    }
    const MkflashCommand& command = parsed.command;
    const MkflashResult result = MakeFullflash(command.options);
    if (!result.ok()) {
        std::cerr << "pictavo-mkflash: " << result.error << '\n';
        return 2;
    }
    if (!writeFile(command.output, result.bytes)) return 1;
    std::cout << command.output << ": " << command.options.model << ", "
              << result.layout.pictures.size() << " pictures, " << result.bytes.size() / (1u << 20)
              << " MiB\n";
    if (command.options.versionOf) printChanges(result.layout);
    return 0;
}
