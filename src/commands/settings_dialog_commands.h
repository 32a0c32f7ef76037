#pragma once
// What the Settings dialog's buttons do, apart from showing the dialog.

#include <optional>
#include <string>

#include "config/settings_file.h"

class Ui;
class Workspace;

/// Browse of the converter frame: the converter program the user picked, or
/// nothing on Cancel or when the file is missing (which is reported).
[[nodiscard]] std::optional<std::string> ChooseConverter(const Workspace& ws, Ui& ui);

/// Browse of the language frame: the bare name (no folder, no extension) of
/// the language file the user picked, or nothing on Cancel or when the file is
/// missing (which is reported). The file itself is looked up by that name in
/// the program's language folders once applied.
[[nodiscard]] std::optional<std::string> ChooseLanguage(const Workspace& ws, Ui& ui);

/// Apply: the dialog's values become the settings: the file is written and
/// read back, with the language named in the dialog. Returns whether the file
/// was written.
bool ApplySettings(Workspace& ws, Ui& ui, const ConfigActions::SettingsValues& dialog);
