#pragma once
// The configuration file, the language file and the recent-files list, joined
// to the Workspace: what start-up, the Settings dialog and every fullflash load
// read and write.

#include <string>
#include <string_view>

class Ui;
class Workspace;

/// Reads Pictavo.ini into the Settings dialog's values and the places that use
/// them (converter path, language name, the window's flags and transparency
/// box, the recent-files entries), then loads the language file. A missing
/// file is first created with the defaults. A file that cannot be read or
/// written is reported once; the program goes on with what it holds.
void LoadSettings(Workspace& ws, Ui& ui);

/// Writes the whole configuration file from the Settings dialog's values, the
/// language name and the recent-files entries. Reports a failure and returns
/// false; the old file then stays as it was.
bool SaveSettings(Workspace& ws, Ui& ui);

/// Loads the texts and captions of the configured language file. Without the
/// file everything stays as it is.
void LoadLanguage(Workspace& ws);

/// Puts a fullflash that loaded at the top of the recent-files entries and
/// appends the entries to the configuration file. A file that cannot be
/// written is left alone without a message: the entries still work.
void AddRecentFile(Workspace& ws, const std::string& path);

/// A file or folder dialog of the kind `key` (ConfigActions::DialogFolderKey)
/// was answered in `folder`: the next one starts there. Kept in the settings
/// file, replacing the kind's earlier line; a file that cannot be written is
/// left alone.
void RememberDialogFolder(Workspace& ws, std::string_view key, const std::string& folder);

/// Whether start-up offers the file-type association from now on. Kept in the
/// settings file at once, replacing the key's earlier line; a file that cannot
/// be written is left alone, and the question simply comes again.
void SetAskFileAssociation(Workspace& ws, bool ask);

/// A recent-files entry (1 to 3) chosen: loads its fullflash; a file that is
/// gone does nothing.
void mnu_File_MRU_Click(Workspace& ws, Ui& ui, int index);
