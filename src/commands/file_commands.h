#pragma once
// Start-up and the File menu: what a path chosen by the user, or given on the
// command line, turns into.

#include <functional>
#include <string>
#include <string_view>

class Ui;
class Workspace;

/// What File > Open or the command line did with a path.
enum class OpenDispatch { Nothing, Fullflash, GraphicPatchFile, PictureFile };

/// Steps of start-up that belong to the configuration; each runs when set.
/// The file-type question is not one of them: the window asks it once it is
/// shown, so it never stands alone on an empty screen.
struct StartupSteps {
    std::function<void(Workspace&, Ui&)> loadSettings;
};

/// Runs once when the main window is created: fixes the application folder,
/// deletes the fixed temporary files, loads the settings and acts on the
/// command line.
OpenDispatch Startup(Workspace& ws, Ui& ui, const std::string& programFolder,
                     const std::string& commandLine, const StartupSteps& steps = {});

/// The path of a start-up command line: the line itself, or without its first
/// and last character when it starts with a double quote.
[[nodiscard]] std::string CommandLinePath(const std::string& commandLine);

/// The extension File > Open dispatches on: the last four characters, after the
/// trailing characters below code 41 are cut, in lower case (".gpf2" -> "gpf2").
[[nodiscard]] std::string OpenExtension(std::string_view path);

/// File > Open: asks for a file and dispatches it by its extension.
OpenDispatch mnu_FileOpen_Click(Workspace& ws, Ui& ui);

/// What File > Open does with the path the dialog gave (also a file dropped on
/// the window): the missing-file check, then dispatch by extension.
OpenDispatch OpenPath(Workspace& ws, Ui& ui, const std::string& path);

/// A picture file opened on its own (not a row of the list): when it was
/// shown, no row stays selected and the information line begins with the
/// file's name, so it cannot be taken for a picture of the fullflash.
void ShowOnItsOwn(Workspace& ws, const std::string& path, bool shown);

/// The fixed temporary files that start-up removes.
inline constexpr std::string_view kTemporaryFiles[] = {"PNGtemp.bmp", "PNGtemp.png",
                                                       "PNGpatch.vkp"};
