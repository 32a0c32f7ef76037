#pragma once
// "Change PNG": a PNG file stored inside the fullflash is replaced by another
// one. The lines go to a pending PNG patch file that the next "Save Patch"
// appends.

#include <string>

class Ui;
class Workspace;

/// FullFlash menu "Change PNG": runs ReplaceEmbeddedPng.
void mnu_Fullflash_Change_PNG_Click(Workspace& ws, Ui& ui);

/// Asks for the new PNG, named after the old one's offset in hexadecimal as
/// "Extract PNGs" names them, and adds its lines to the pending PNG patch.
void ReplaceEmbeddedPng(Workspace& ws, Ui& ui);

/// The same with the new PNG given. A name that is no hex offset, an offset
/// where no PNG with an IEND chunk lies, a file that is no PNG or is longer
/// than the old one: a message, and nothing is written. Returns whether the
/// lines were added.
bool ReplaceEmbeddedPngWith(Workspace& ws, Ui& ui, const std::string& path);

/// The pending PNG patch file in the temporary folder.
[[nodiscard]] std::string PngPatchPath(const Workspace& ws);
