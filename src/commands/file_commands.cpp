#include "commands/file_commands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "commands/dialog_patterns.h"
#include "commands/fullflash_commands.h"
#include "commands/picture_file_commands.h"
#include "commands/preview_commands.h"
#include "commands/unsaved_work_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace FSactions_Tavik;

namespace {

OpenDispatch dispatchCommandLinePath(Workspace& ws, Ui& ui, const std::string& path) {
    // Compared with case: "X.BIN" given on the command line loads nothing.
    if (path.ends_with(".bin")) {
        LoadFullflash(ws, ui, path);
        return OpenDispatch::Fullflash;
    }
    if (path.ends_with(".gpf2") || path.ends_with(".gpf")) {
        ShowOnItsOwn(ws, path, ShowGpfFile(ws, ui, path));
        return OpenDispatch::GraphicPatchFile;
    }
    for (const char* ending : {".bmp", ".gif", ".jpg", ".png"}) {
        if (!path.ends_with(ending)) continue;
        ShowOnItsOwn(ws, path, OpenPictureFile(ws, ui, path));
        return OpenDispatch::PictureFile;
    }
    return OpenDispatch::Nothing;
}

}  // namespace

void ShowOnItsOwn(Workspace& ws, const std::string& path, bool shown) {
    if (!shown) return;
    ws.selectedRow.reset();
    ws.pictureInfo = std::filesystem::path(path).filename().string() + " :: " + ws.pictureInfo;
}

std::string CommandLinePath(const std::string& commandLine) {
    if (commandLine.size() >= 2 && commandLine.front() == '"') {
        return commandLine.substr(1, commandLine.size() - 2);
    }
    if (commandLine == "\"") return "";
    return commandLine;
}

std::string OpenExtension(std::string_view path) {
    std::string cleaned = CleanDialogPath(std::string(path));
    std::string extension =
        cleaned.substr(cleaned.size() - std::min<std::size_t>(4, cleaned.size()));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

OpenDispatch Startup(Workspace& ws, Ui& ui, const std::string& programFolder,
                     const std::string& commandLine, const StartupSteps& steps) {
    ws.applicationFolder = WithTrailingSlash(programFolder);
    ws.tempFolder = TempFolder();
    for (std::string_view name : kTemporaryFiles) {
        const std::string path = JoinPath(ws.tempFolder, std::string(name));
        if (!FileMissing(path)) DeleteFile(path);
    }
    if (steps.loadSettings) steps.loadSettings(ws, ui);
    if (commandLine.empty()) return OpenDispatch::Nothing;
    return dispatchCommandLinePath(ws, ui, CommandLinePath(commandLine));
}

OpenDispatch mnu_FileOpen_Click(Workspace& ws, Ui& ui) {
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = {Filter(ws, FileKind::Fullflash), Filter(ws, FileKind::Graphics)};
    const auto chosen = ui.openFile(request);
    if (!chosen) return OpenDispatch::Nothing;
    return OpenPath(ws, ui, *chosen);
}

OpenDispatch OpenPath(Workspace& ws, Ui& ui, const std::string& path) {
    // Only the extension is taken from the cleaned name: on this platform a
    // file name may really end in a blank.
    const std::string extension = OpenExtension(path);
    if (FileMissing(path)) {
        ShowFileMissing(ws, ui, path);
        return OpenDispatch::Nothing;
    }
    if (extension == ".bin") {
        if (!ConfirmDropStagedWork(ws, ui)) return OpenDispatch::Nothing;
        LoadFullflash(ws, ui, path);
        return OpenDispatch::Fullflash;
    }
    if (extension == ".gpf" || extension == "gpf2") {
        ShowOnItsOwn(ws, path, ShowGpfFile(ws, ui, path));
        return OpenDispatch::GraphicPatchFile;
    }
    if (extension == ".gif" || extension == ".bmp" || extension == ".jpg" || extension == ".png") {
        ShowOnItsOwn(ws, path, OpenPictureFile(ws, ui, path));
        return OpenDispatch::PictureFile;
    }
    return OpenDispatch::Nothing;
}
