#include "picture_io/picture_reader_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include "support/running_program_folder.h"

namespace PictureIO {

namespace {

struct LoadedReader {
    PictavoDecodePicture decode = nullptr;
    std::string problem;
};

LoadedReader loadReader() {
    // Set by the build: the installed private library folder as seen from the
    // installed programs.
    const std::string programFolder = RunningProgramFolder();
    const std::array<std::string, 2> folders = {
        programFolder, std::filesystem::path(programFolder + PICTAVO_PRIVATE_LIB_FROM_BIN "/")
                           .lexically_normal()
                           .string()};
    for (const std::string& folder : folders) {
        const std::string path = folder + kPictureReaderFileName;
        if (::access(path.c_str(), F_OK) != 0) continue;
        void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return {nullptr, "Cannot load the picture reader!\r" + std::string(::dlerror())};
        }
        void* entry = ::dlsym(library, kPictureReaderEntryName);
        if (entry == nullptr) {
            return {nullptr, "The picture reader " + path + " is not this version's!"};
        }
        return {reinterpret_cast<PictavoDecodePicture>(entry), {}};
    }
    return {nullptr,
            "Cannot read BMP, GIF or JPEG pictures: " + std::string(kPictureReaderFileName) +
                " is neither in " + folders[0] + " nor in " + folders[1] + "!"};
}

const LoadedReader& loadedReader() {
    static const LoadedReader reader = loadReader();
    return reader;
}

}  // namespace

PictavoDecodePicture PictureReader() {
    return loadedReader().decode;
}

const std::string& PictureReaderProblem() {
    return loadedReader().problem;
}

}  // namespace PictureIO
