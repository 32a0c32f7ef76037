#include "commands/dialog_patterns.h"

#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

FileFilter Filter(const Workspace& ws, FileKind kind) {
    struct KindFilter {
        FileKind kind;
        Phrase description;
        std::string_view pattern;
    };
    static constexpr KindFilter kFilters[] = {
        {FileKind::Fullflash, {"str_FltBin", "FullFlash files (*.bin)"}, "*.bin"},
        {FileKind::Graphics,
         {"str_FltPics", "Graphic files (*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png)"},
         "*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png"},
        {FileKind::Bitmap, {"str_FltBmp", "Bitmap File (*.bmp)"}, "*.bmp"},
        {FileKind::Png, {"str_FltPng", "Portable Network Graphic files (*.png)"}, "*.png"},
        {FileKind::GraphicPatch,
         {"str_FltGpf", "Graphic Patch Files (*.gpf;*.gpf2)"},
         "*.gpf;*.gpf2"},
        {FileKind::Vkp, {"str_FltVkp", "ViKlay Patch File (*.vkp)"}, "*.vkp"},
        {FileKind::Gpn, {"str_FltGpn", "Graphic Patch N (*.gpn)"}, "*.gpn"},
        {FileKind::Any, {"str_FltAll", "All files (*.*)"}, "*.*"},
        {FileKind::Converter,
         {"str_FltConv", "Converter (pictavo-convert, nconvert)"},
         "pictavo-convert;nconvert"},
        {FileKind::Language, {"str_FltLng", "Pictavo Language File (*.lng)"}, "*.lng"},
    };
    for (const KindFilter& filter : kFilters) {
        if (filter.kind == kind) return {ws.say(filter.description), std::string(filter.pattern)};
    }
    return {};
}

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

void ShowWriteFailed(const Workspace& ws, Ui& ui, const std::string& path) {
    constexpr Phrase kCannotWrite{"str_CantWrite", "Cannot write!"};
    ui.message(ws.say(kCannotWrite) + "\r" + path, "", MessageButtons::Ok);
}

std::string WithExtension(std::string path, std::string_view extension) {
    if (!path.ends_with(extension)) path += extension;
    return path;
}

void NoteFilesWritten(Workspace& ws, int count, const std::string& folder) {
    constexpr Phrase kOneFile{"str_StFile1", "1 file written to %2"};
    constexpr Phrase kFiles{"str_StFiles", "%1 files written to %2"};
    ws.statusNote = ws.say(count == 1 ? kOneFile : kFiles, {std::to_string(count), folder});
}

void ShowSuccess(const Workspace& ws, Ui& ui) {
    ui.message(ws.text("str_Succes"), "", MessageButtons::Ok);
}
