#pragma once
// Tools menu: GIF, PNG and XML files found inside any file (as a rule a
// fullflash) written out one by one, named after their offsets. They work on
// the chosen file, not on the fullflash open in the window.

#include <optional>
#include <string>

#include "tools/embedded_file_carver.h"

class Ui;
class Workspace;

/// Tools ▸ Extract GIFs.
void mnu_Tools_FindGIF_Click(Workspace& ws, Ui& ui);
/// Tools ▸ Extract PNGs.
void mnu_Tools_FindPNG_Click(Workspace& ws, Ui& ui);
/// Tools ▸ Extract XMLs.
void mnu_Tools_FindXML_Click(Workspace& ws, Ui& ui);

/// Writes every embedded file of `kind` in the file at `path` into `folder`
/// (ending in '/') and returns how many were written. An existing file is
/// replaced only after OK; Cancel skips it and the scan goes on. Nothing when
/// the file cannot be read or a found file cannot be written (a message has
/// been shown). Progress goes to the Ui as the scan moves through the file.
std::optional<int> CarveFiles(const Workspace& ws, Ui& ui, const std::string& path, CarveKind kind,
                              const std::string& folder);
