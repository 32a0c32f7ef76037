#pragma once
// The program on the desktop: the file-type question of start-up, the
// Settings dialog's button that answers it later, and the Help menu's About
// box.

#include <string>

#include "config/xdg_folders.h"

class Ui;
class Workspace;

/// The program file in the program folder.
inline constexpr const char* kProgramFileName = "pictavo";

/// Once the window is shown: unless the user ticked "Do not ask again", when
/// GPF2 or GPF files are opened by anything but this program, asks `str_RegExt`
/// "?" with that check box under it. OK registers both extensions for this
/// program; a ticked box keeps the question from coming again.
void CheckFileAssociation(Workspace& ws, Ui& ui, const ConfigActions::XdgFolders& xdg);

/// The Settings dialog's button: registers both extensions for this program
/// now, says whether that worked, and lets start-up ask again should another
/// program take them later.
void RegisterFileTypes(Workspace& ws, Ui& ui, const ConfigActions::XdgFolders& xdg);

/// The About box's eight lines, separated by CR.
[[nodiscard]] std::string AboutText(const Workspace& ws);

/// Help > About: the About box, titled with the About entry's caption.
void mnu_Help_About_Click(const Workspace& ws, Ui& ui);
