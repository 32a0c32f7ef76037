#include "commands/settings_dialog_commands.h"

#include "commands/dialog_patterns.h"
#include "commands/settings_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

/// An existing file picked in an open dialog: its cleaned name, or nothing on
/// Cancel or when the file is missing.
std::optional<std::string> chooseExistingFile(const Workspace& ws, Ui& ui,
                                              FileDialogRequest request) {
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    const auto chosen = ui.openFile(request);
    if (!chosen) return std::nullopt;
    const std::string path = CleanDialogPath(*chosen);
    if (FSactions_Tavik::FileMissing(path)) {
        ShowFileMissing(ws, ui, path);
        return std::nullopt;
    }
    return path;
}

}  // namespace

std::optional<std::string> ChooseConverter(const Workspace& ws, Ui& ui) {
    FileDialogRequest request;
    request.filters = {Filter(ws, FileKind::Converter)};
    return chooseExistingFile(ws, ui, request);
}

std::optional<std::string> ChooseLanguage(const Workspace& ws, Ui& ui) {
    FileDialogRequest request;
    request.filters = {Filter(ws, FileKind::Language)};
    request.defaultExtension = "lng";
    // The shipped language files are in the last folder searched.
    const auto& folders = ws.programFiles.languageFolders;
    request.initialFolder = folders.empty() ? ws.applicationFolder : folders.back();
    const auto path = chooseExistingFile(ws, ui, request);
    if (!path) return std::nullopt;
    std::string name = path->substr(path->rfind('/') + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

bool ApplySettings(Workspace& ws, Ui& ui, const ConfigActions::SettingsValues& dialog) {
    ws.settingsDialog = dialog;
    ws.Language = dialog.Language;
    const bool saved = SaveSettings(ws, ui);
    LoadSettings(ws, ui);
    return saved;
}
