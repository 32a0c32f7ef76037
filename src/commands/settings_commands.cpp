#include "commands/settings_commands.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "commands/fullflash_commands.h"
#include "commands/preview_commands.h"
#include "commands/unsaved_work_commands.h"
#include "config/dialog_folders.h"
#include "config/language_file.h"
#include "config/recent_files.h"
#include "support/fs_actions.h"
#include "ui/silent_ui.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace ConfigActions;

namespace {

struct SwitchPlace {
    std::optional<bool> SettingsFound::*found;
    bool SettingsValues::*dialog;
    bool Workspace::*window;
};

constexpr std::array kSwitchPlaces{
    SwitchPlace{&SettingsFound::Transparency, &SettingsValues::Transparency,
                &Workspace::transparency},
    SwitchPlace{&SettingsFound::CompressGPF, &SettingsValues::CompressGPF, &Workspace::cmpGPF},
    SwitchPlace{&SettingsFound::DefaultGPF2, &SettingsValues::DefaultGPF2, &Workspace::defGPF2},
    SwitchPlace{&SettingsFound::ZeroFilename, &SettingsValues::ZeroFilename,
                &Workspace::ZeroFilename},
    SwitchPlace{&SettingsFound::HEXFilename, &SettingsValues::HEXFilename, &Workspace::HEXFilename},
    SwitchPlace{&SettingsFound::PngAlpha, &SettingsValues::PngAlpha, &Workspace::pngAlpha},
};

std::string recentEntryName(std::size_t slot) {
    return "mnu_File_MRU" + std::to_string(slot + 1);
}

RecentFiles recentEntries(const Workspace& ws) {
    RecentFiles recent;
    for (std::size_t slot = 0; slot < recent.size(); ++slot) {
        const ControlState& entry = ws.control(recentEntryName(slot));
        recent[slot] = {entry.visible, entry.caption};
    }
    return recent;
}

void showRecentEntries(Workspace& ws, const RecentFiles& recent) {
    for (std::size_t slot = 0; slot < recent.size(); ++slot) {
        ControlState& entry = ws.control(recentEntryName(slot));
        entry.visible = recent[slot].shown;
        entry.caption = recent[slot].caption;
    }
}

void applySettings(Workspace& ws, const SettingsFound& found) {
    if (found.nConvert) ws.nConvert = ws.settingsDialog.nConvert = *found.nConvert;
    if (found.Language) ws.Language = ws.settingsDialog.Language = *found.Language;
    for (const SwitchPlace& place : kSwitchPlaces) {
        if (const auto on = found.*place.found)
            ws.settingsDialog.*place.dialog = ws.*place.window = *on;
    }
    if (found.AskFileAssociation) ws.settingsDialog.AskFileAssociation = *found.AskFileAssociation;
    // The transparency box acts as if clicked: a shown picture is drawn anew.
    if (found.Transparency && !ws.pictureInfo.empty()) DrawPicture(ws);
    for (std::size_t slot = 0; slot < found.recent.size(); ++slot) {
        if (!found.recent[slot]) continue;
        ControlState& entry = ws.control(recentEntryName(slot));
        entry.visible = true;
        entry.caption = *found.recent[slot];
    }
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

/// An installed program's settings folder may not exist yet.
bool replaceSettingsFile(const std::string& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return FSactions_Tavik::ReplaceFile(path, bytes);
}

/// A new user of an installed program starts from the settings it ships
/// (converter and language named); anything else from the defaults.
void createSettingsFile(Workspace& ws, Ui& ui) {
    const auto shipped = FSactions_Tavik::ReadFileBytes(ws.programFiles.initialSettingsFile);
    if (shipped && replaceSettingsFile(ws.programFiles.settingsFile, *shipped)) return;
    SaveSettings(ws, ui);
}

/// Replaces the lines of one key of our own in the settings file; a file
/// that cannot be read or written is left alone.
void writeKeyLine(const Workspace& ws, std::string_view key, std::string_view value) {
    const std::string& settings = ws.programFiles.settingsFile;
    if (settings.empty()) return;
    std::string bytes;
    if (exists(settings)) {
        const auto old = FSactions_Tavik::ReadFileBytes(settings);
        if (!old) return;
        bytes = *old;
    }
    replaceSettingsFile(settings, WithKeyLine(bytes, key, value));
}

void locateProgramFiles(Workspace& ws) {
    if (ws.programFiles.settingsFile.empty()) {
        ws.programFiles = LocateProgramFiles(ws.applicationFolder, XdgFolders::fromEnvironment());
    }
}

}  // namespace

void LoadSettings(Workspace& ws, Ui& ui) {
    locateProgramFiles(ws);
    const std::string& path = ws.programFiles.settingsFile;
    if (!exists(path)) createSettingsFile(ws, ui);
    if (const auto bytes = FSactions_Tavik::ReadFileBytes(path)) {
        applySettings(ws, ReadSettings(*bytes));
        ws.dialogFolders = ReadDialogFolders(*bytes);
    } else if (exists(path)) {
        constexpr Phrase kUnreadable{"str_SetNoRead",
                                     "Cannot read the settings; the defaults are used!"};
        ui.message(ws.say(kUnreadable) + "\r" + path, "", MessageButtons::Ok);
    }
    LoadLanguage(ws);
}

bool SaveSettings(Workspace& ws, Ui& ui) {
    locateProgramFiles(ws);
    SettingsValues values = ws.settingsDialog;
    values.Language = ws.Language;
    const std::string& path = ws.programFiles.settingsFile;
    const std::string text =
        SettingsFileText(values, recentEntries(ws)) + DialogFolderLines(ws.dialogFolders);
    if (replaceSettingsFile(path, text)) return true;
    constexpr Phrase kUnwritable{"str_SetNoWrite", "Cannot write the settings!"};
    ui.message(ws.say(kUnwritable) + "\r" + path, "", MessageButtons::Ok);
    return false;
}

void LoadLanguage(Workspace& ws) {
    for (const std::string& folder : ws.programFiles.languageFolders) {
        const std::string path = folder + ws.Language + ".lng";
        if (FSactions_Tavik::FileMissing(path)) continue;
        const auto bytes = FSactions_Tavik::ReadFileBytes(path);
        if (!bytes) return;
        const LanguageChanges changes = ReadLanguage(*bytes, ws.Language, ws.text("str_all"));
        for (const auto& [key, text] : changes.texts) ws.setText(key, text);
        for (const auto& [control, caption] : changes.captions)
            ws.control(control).caption = caption;
        // What was put together in the previous language is put together anew.
        ws.ffInfo = FullflashInfoText(ws);
        if (ws.selected() != nullptr) {
            SilentUi quiet;
            ShowSelectedPicture(ws, quiet);
        }
        return;
    }
}

void AddRecentFile(Workspace& ws, const std::string& path) {
    RecentFiles recent = recentEntries(ws);
    ConfigActions::AddRecentFile(recent, path);
    showRecentEntries(ws, recent);

    const std::string& settings = ws.programFiles.settingsFile;
    if (settings.empty()) return;
    std::string bytes;
    if (exists(settings)) {
        const auto old = FSactions_Tavik::ReadFileBytes(settings);
        if (!old) return;  // never replace a file whose content could not be kept
        bytes = *old;
        if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
    }
    replaceSettingsFile(settings, bytes + RecentFileLines(recent));
}

void RememberDialogFolder(Workspace& ws, std::string_view key, const std::string& folder) {
    if (key.empty()) return;
    const auto known = ws.dialogFolders.find(key);
    if (known != ws.dialogFolders.end() && known->second == folder) return;
    ws.dialogFolders.insert_or_assign(std::string(key), folder);
    writeKeyLine(ws, key, folder);
}

void SetAskFileAssociation(Workspace& ws, bool ask) {
    ws.settingsDialog.AskFileAssociation = ask;
    writeKeyLine(ws, kAskFileAssociationKey, ask ? "true" : "false");
}

void mnu_File_MRU_Click(Workspace& ws, Ui& ui, int index) {
    if (index < 1 || index > 3) return;
    const std::string path =
        ws.control(recentEntryName(static_cast<std::size_t>(index - 1))).caption;
    if (!FSactions_Tavik::FileMissing(path) && ConfirmDropStagedWork(ws, ui))
        LoadFullflash(ws, ui, path);
}
