#pragma once
// The program on the desktop: the file-type question of start-up and the
// Help menu's About box.

#include <string>

#include "config/xdg_folders.h"

class Ui;
class Workspace;

/// The program file in the program folder.
inline constexpr const char* kProgramFileName = "pictavo";

/// Start-up: when GPF2 or GPF files are opened by anything but this program,
/// asks `str_RegExt` "?"; OK registers both extensions for it.
void CheckFileAssociation(Workspace& ws, Ui& ui, const ConfigActions::XdgFolders& xdg);

/// The About box's eight lines, separated by CR.
[[nodiscard]] std::string AboutText(const Workspace& ws);

/// Help > About: the About box, titled with the About entry's caption.
void mnu_Help_About_Click(const Workspace& ws, Ui& ui);
