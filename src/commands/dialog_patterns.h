#pragma once
// The dialog and message patterns that every command builds the same way.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ui.h"

class Workspace;

enum class DialogPurpose { Open, Save };

/// `str_PlSel`, a blank, `objectCaption`, a blank, `str_4open` or `str_4save`.
[[nodiscard]] std::string DialogTitle(const Workspace& ws, std::string_view objectCaption,
                                      DialogPurpose purpose);

/// Title naming the File menu: the title of every file dialog of the commands.
[[nodiscard]] std::string FileDialogTitle(const Workspace& ws, DialogPurpose purpose);

/// Title of the folder prompts: `str_cFold` as the object.
[[nodiscard]] std::string FolderPrompt(const Workspace& ws);

/// The save dialog of the save commands: File-menu title, one filter, the
/// current directory. Returns the chosen name cleaned of trailing characters
/// below code 41, or nothing on Cancel.
[[nodiscard]] std::optional<std::string> AskSavePath(const Workspace& ws, Ui& ui,
                                                     const FileFilter& filter,
                                                     const std::string& initialName,
                                                     const std::string& defaultExtension = {});

/// The open dialog of the commands that read one kind of file: File-menu
/// title, one filter, the current directory. The chosen name cleaned as
/// AskSavePath cleans it, or nothing on Cancel.
[[nodiscard]] std::optional<std::string> AskOpenPath(const Workspace& ws, Ui& ui,
                                                     const FileFilter& filter);

/// Removes trailing characters with codes below 41 (the blank rest of a
/// dialog's name buffer).
[[nodiscard]] std::string CleanDialogPath(std::string path);

/// The start of the commands that read one file into a folder: an open dialog
/// with `filters`, the missing-file check, the folder browser. The chosen file
/// and the folder (ending in '/'), or nothing when the user cancelled or the
/// file cannot be read (after its message).
struct InputAndFolder {
    std::string input;
    std::string folder;
};
[[nodiscard]] std::optional<InputAndFolder> AskInputAndFolder(const Workspace& ws, Ui& ui,
                                                              std::vector<FileFilter> filters);

/// `str_fnExi`, "!", CR, the path; OK only, no title.
void ShowFileMissing(const Workspace& ws, Ui& ui, const std::string& path);

/// When `path` exists: asks path, CR, `str_fChan`, "?" titled `str_faExi` "!".
/// OK returns true, Cancel false; a path that does not exist returns true
/// without asking. The old file stays until the new one has been written in
/// full, so a refused or failed save never costs the user the file.
[[nodiscard]] bool ConfirmOverwrite(const Workspace& ws, Ui& ui, const std::string& path);

/// A file could not be written: "Cannot write" and "!", CR, the path.
void ShowWriteFailed(Ui& ui, const std::string& path);

/// `path` with `extension` appended unless its last characters already are it.
[[nodiscard]] std::string WithExtension(std::string path, std::string_view extension);

/// The closing message of a finished command: `str_Succes`.
void ShowSuccess(const Workspace& ws, Ui& ui);

/// The language text of `key`, or `fallback` while no language file gives it.
[[nodiscard]] std::string TextOr(const Workspace& ws, std::string_view key,
                                 std::string_view fallback);
