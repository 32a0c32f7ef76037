#pragma once
// Staging replacement pictures: a picture file is read, re-encoded with the
// current code field into the picture's staging file, and its row turns bold.
// The fullflash is never touched; "Save Patch" turns the staged pictures into
// a patch.

#include <cstddef>
#include <functional>
#include <string>

#include "fullflash/picture_table.h"

#include "commands/batch_save.h"

class Ui;
class Workspace;

/// "Load picture" with a depth: stores `code` in the current code field and
/// runs LoadReplacementPicture.
void mnu_PopupPictures_Load_Click(Workspace& ws, Ui& ui, int code);
/// "Load pictures" with a depth: stores `code` and runs LoadReplacementFolder.
void mnu_PopupPictures_Loads_Click(Workspace& ws, Ui& ui, int code);

/// Stages one replacement for the selected row, chosen in an open dialog.
void LoadReplacementPicture(Workspace& ws, Ui& ui);
/// Stages a replacement for every row whose picture file is in a chosen folder.
void LoadReplacementFolder(Workspace& ws, Ui& ui);

enum class ReadOutcome { Read, Failed, ConverterMissing };

/// Reads a replacement source into the current picture and shows it, by the
/// extension of `path`: GPF and GPF2 files, BMP, GIF, JPEG and PNG files. Any
/// other extension is refused with a message. A PNG while the converter is
/// missing gives ConverterMissing after the read was tried.
ReadOutcome ReadReplacementSource(Workspace& ws, Ui& ui, const std::string& path);

enum class StageOutcome { Staged, Stopped };

/// Re-encodes the current picture with `code` into the staging file of row
/// `rowPosition`, shows the staged result and marks the row. Compressed 1-bit
/// is refused with a message, and so is a staging file that cannot be written;
/// an earlier staging file of the row then stays as it was.
StageOutcome StageShownPicture(Workspace& ws, Ui& ui, std::size_t rowPosition, int code);

/// The code a picture is staged with, asked for each picture found, with the
/// position of its row.
using CodeChoice = std::function<int(Workspace&, Ui&, std::size_t rowPosition)>;

/// The loop of "Load pictures" over `folder` (ending in '/'): each row's
/// picture file, by the file-name settings, probed as .gpf2, .gpf, .bmp, .png,
/// .jpg, .gif. A file that cannot be read is skipped; a missing converter or a
/// refused encode stops the loop. `written` counts the pictures staged.
BatchEnd StageFolder(Workspace& ws, Ui& ui, const std::string& folder, const CodeChoice& code);

/// The type code a picture dropped on a row is staged with: the row's own depth
/// (a 12-bit row takes 16 bits, which the encoder writes instead), compressed
/// when the row is, except for 1 bit, which is only ever staged uncompressed.
[[nodiscard]] int RowOwnCode(const PictureEntry& entry);

/// A picture file dropped on a row: read as "Load picture" reads it and staged
/// for that row with RowOwnCode, without questions. Returns whether it was staged.
bool StageDroppedPicture(Workspace& ws, Ui& ui, std::size_t rowPosition, const std::string& path);

/// A folder dropped on the list: what "Load pictures" does, each picture with
/// its row's own code, then the closing message.
void StageDroppedFolder(Workspace& ws, Ui& ui, const std::string& folder);

/// List menu "Discard replacement" on a staged row: its staging file goes, the
/// row is no longer bold and shows the fullflash's picture again. "Save Patch"
/// is disabled again when nothing is staged and no PNG change waits.
void mnu_PopupPictures_Discard_Click(Workspace& ws, Ui& ui);

/// Enables or disables both "Save Patch" entries.
void SetSavePatchEnabled(Workspace& ws, bool enabled);
