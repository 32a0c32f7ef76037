#include "commands/dialog_patterns.h"

#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

std::string DialogTitle(const Workspace& ws, std::string_view objectCaption,
                        DialogPurpose purpose) {
    const auto& last = ws.text(purpose == DialogPurpose::Open ? "str_4open" : "str_4save");
    return ws.text("str_PlSel") + " " + std::string(objectCaption) + " " + last;
}

std::string FileDialogTitle(const Workspace& ws, DialogPurpose purpose) {
    return DialogTitle(ws, ws.control("mnu_File").caption, purpose);
}

std::string FolderPrompt(const Workspace& ws) {
    return DialogTitle(ws, ws.text("str_cFold"), DialogPurpose::Save);
}

std::optional<std::string> AskSavePath(const Workspace& ws, Ui& ui, const FileFilter& filter,
                                       const std::string& initialName,
                                       const std::string& defaultExtension) {
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Save);
    request.filters = {filter};
    request.initialName = initialName;
    request.defaultExtension = defaultExtension;
    const auto chosen = ui.saveFile(request);
    if (!chosen) return std::nullopt;
    return CleanDialogPath(*chosen);
}

std::optional<std::string> AskOpenPath(const Workspace& ws, Ui& ui, const FileFilter& filter) {
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = {filter};
    const auto chosen = ui.openFile(request);
    if (!chosen) return std::nullopt;
    return CleanDialogPath(*chosen);
}

std::string CleanDialogPath(std::string path) {
    while (!path.empty() && static_cast<unsigned char>(path.back()) < 41) path.pop_back();
    return path;
}

std::optional<InputAndFolder> AskInputAndFolder(const Workspace& ws, Ui& ui,
                                                std::vector<FileFilter> filters) {
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = std::move(filters);
    const auto chosen = ui.openFile(request);
    if (!chosen) return std::nullopt;
    if (FSactions_Tavik::FileMissing(*chosen)) {
        ShowFileMissing(ws, ui, *chosen);
        return std::nullopt;
    }
    const std::string folder = ui.BrowseForFolder(FolderPrompt(ws));
    if (folder.empty()) return std::nullopt;
    return InputAndFolder{*chosen, FSactions_Tavik::WithTrailingSlash(folder)};
}

void ShowFileMissing(const Workspace& ws, Ui& ui, const std::string& path) {
    ui.message(ws.text("str_fnExi") + "!\r" + path, "", MessageButtons::Ok);
}

bool ConfirmOverwrite(const Workspace& ws, Ui& ui, const std::string& path) {
    if (FSactions_Tavik::FileMissing(path)) return true;
    return ui.message(path + "\r" + ws.text("str_fChan") + "?", ws.text("str_faExi") + "!",
                      MessageButtons::OkCancel);
}

void ShowWriteFailed(Ui& ui, const std::string& path) {
    ui.message("Cannot write!\r" + path, "", MessageButtons::Ok);
}

std::string WithExtension(std::string path, std::string_view extension) {
    if (!path.ends_with(extension)) path += extension;
    return path;
}

void ShowSuccess(const Workspace& ws, Ui& ui) {
    ui.message(ws.text("str_Succes"), "", MessageButtons::Ok);
}

std::string TextOr(const Workspace& ws, std::string_view key, std::string_view fallback) {
    const std::string& text = ws.text(key);
    return text.empty() ? std::string(fallback) : text;
}
