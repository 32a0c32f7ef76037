#pragma once
// "Save Patch": every staged picture becomes lines of a VKP patch (its new
// table entry and its new data beside the bytes they replace), pending PNG
// replacements are appended, and the written pictures' staging files go.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Ui;
class Workspace;

/// List menu "Save Patch": runs WritePatch.
void mnu_PopupPictures_SavePatch_Click(Workspace& ws, Ui& ui);
/// FullFlash menu "Save Patch": runs the list menu's command.
void mnu_Fullflash_SavePatch_Click(Workspace& ws, Ui& ui);

/// Asks for the patch file (".vkp" added when missing) and writes it. Returns
/// whether every staged picture went into the written patch.
bool WritePatch(Workspace& ws, Ui& ui);

struct PatchWritten {
    int pictures = 0;            ///< pictures whose lines are in the patch
    std::vector<int> notPlaced;  ///< numbers of the bold rows left out
    std::size_t lines = 0;       ///< lines of the patch file
};

/// Writes the patch for every bold row to `path`, which the user has already
/// agreed to replace. A picture that cannot be placed (no staging file, a
/// damaged one, a size the table cannot list, no free flash) keeps its bold row
/// and staging file and gets only its comment. The file appears complete or not
/// at all: when it cannot be written, nothing else changes and nothing is
/// returned.
std::optional<PatchWritten> WritePatchTo(Workspace& ws, Ui& ui, const std::string& path);

/// Where "Save Patch" writes the data of a staged picture of `size` bytes for
/// row `position`: the offset of the row's own place when the data fits there,
/// or nothing when it goes into erased flash, found as the patch is written.
[[nodiscard]] std::optional<std::uint32_t> StagedDataPlace(Workspace& ws, std::size_t position,
                                                           double size);

/// The closing message of "Save Patch": `str_Succes`, and which pictures were
/// left out when there are any.
[[nodiscard]] std::string PatchClosingMessage(const Workspace& ws, const PatchWritten& written);

/// What the status bar says after "Save Patch": the file, its pictures and
/// lines, and the pictures left out.
[[nodiscard]] std::string PatchStatusNote(const Workspace& ws, const std::string& path,
                                          const PatchWritten& written);
