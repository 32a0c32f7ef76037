#include "config/dialog_folders.h"

#include <array>

#include "config/config_lines.h"

namespace ConfigActions {

namespace {

struct FolderKind {
    std::string_view pattern;
    std::string_view key;
};

constexpr std::array kKinds{
    FolderKind{"*.bin", "FolderOfFullflashes"},
    FolderKind{"*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png", "FolderOfPictures"},
    FolderKind{"*.gpf;*.gpf2", "FolderOfGpfFiles"},
    FolderKind{"*.bmp", "FolderOfBitmaps"},
    FolderKind{"*.png", "FolderOfPngFiles"},
    FolderKind{"*.vkp", "FolderOfPatches"},
    FolderKind{"*.gpn", "FolderOfGpnFiles"},
    FolderKind{kFolderPattern, "FolderOfFolders"},
};

}  // namespace

std::string_view DialogFolderKey(std::string_view pattern) {
    for (const FolderKind& kind : kKinds) {
        if (kind.pattern == pattern) return kind.key;
    }
    return {};
}

DialogFolders ReadDialogFolders(std::string_view bytes) {
    DialogFolders folders;
    for (std::string_view line : SplitLines(bytes)) {
        for (const FolderKind& kind : kKinds) {
            if (const auto value = KeyValue(line, kind.key)) {
                folders.insert_or_assign(std::string(kind.key), std::string(*value));
            }
        }
    }
    return folders;
}

std::string DialogFolderLines(const DialogFolders& folders) {
    std::string out;
    for (const auto& [key, folder] : folders)
        out.append(key).append("=").append(folder).append("\r\n");
    return out;
}

std::string WithKeyLine(std::string_view bytes, std::string_view key, std::string_view value) {
    std::string out;
    for (std::string_view line : SplitLines(bytes)) {
        if (!KeyValue(line, key)) out.append(line).append("\r\n");
    }
    return out.append(key).append("=").append(value).append("\r\n");
}

}  // namespace ConfigActions
