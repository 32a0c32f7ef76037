#pragma once
// A picture patch made for another firmware (OLD) carried to the loaded
// fullflash (NEW): the pictures it replaces are found in NEW by what they
// show, and their replacements are staged on NEW's rows, so "Save Patch"
// writes them with NEW's places and free space. Both fullflashes are only read.

#include <optional>
#include <string>
#include <vector>

#include "compare/picture_port.h"

class Ui;
class Workspace;

struct PortOutcome {
    std::vector<PortedPicture> pictures;
    int staged = 0;
    bool failed = false;  ///< a staging file could not be written (after its message)
};

/// Carries the patch at `patchPath`, made for the fullflash at `oldPath`, to
/// the loaded fullflash and stages every carried picture. Says why and
/// returns nothing when nothing can be carried: a file that cannot be read,
/// a patch that does not apply to OLD, fullflashes of two platforms, a
/// fullflash without a picture table, a patch that changes no picture.
std::optional<PortOutcome> StagePortedPatch(Workspace& ws, Ui& ui, const std::string& patchPath,
                                            const std::string& oldPath, PickRule pick);

/// The type code a carried picture is staged with on a row of type
/// `rowType`: the replacement's own type when the row has it or the
/// replacement cannot be re-encoded (12 bit), else the replacement's depth
/// with the row's compression (1 bit always uncompressed).
[[nodiscard]] int PortedCode(std::uint8_t replacementType, std::uint8_t rowType);

/// FullFlash menu "Port a patch...": asks for the patch and for the fullflash
/// it was made for, stages what can be carried and shows the report; "Save
/// Patch" is left to the user.
void mnu_Fullflash_PortPatch_Click(Workspace& ws, Ui& ui);
