#include "commands/unsaved_work_commands.h"

#include <algorithm>

#include "commands/counted_phrases.h"
#include "commands/embedded_png_commands.h"
#include "commands/patch_commands.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

constexpr Phrase kOnePicture{"str_UnsPic1", "1 staged picture is not saved in a patch yet."};
constexpr Phrase kPictures{"str_UnsPics", "%1 staged pictures are not saved in a patch yet."};
constexpr Phrase kPngChanges{"str_UnsPng", "PNG changes are not saved in a patch yet."};
constexpr Phrase kDiscard{"str_UnsDiscard", "Discard"};

}  // namespace

int StagedPictureCount(const Workspace& ws) {
    return static_cast<int>(std::count_if(ws.rows.begin(), ws.rows.end(),
                                          [](const PictureListEntry& row) { return row.changed; }));
}

bool ConfirmDropStagedWork(Workspace& ws, Ui& ui) {
    const int staged = StagedPictureCount(ws);
    if (staged == 0 && !ws.flash.pngChangesPending) return true;
    std::string text;
    if (staged > 0) text = Counted(ws, kOnePicture, kPictures, staged);
    if (ws.flash.pngChangesPending) text += (text.empty() ? "" : "\r") + ws.say(kPngChanges);
    const std::size_t answer = ui.choose(text, ws.control(ControlNames::kWindow).caption,
                                         {ws.control("mnu_Fullflash_SavePatch").caption,
                                          ws.say(kDiscard), ws.control("Command4").caption});
    if (answer == 0) return WritePatch(ws, ui);
    if (answer != 1) return false;
    DiscardStagedWork(ws);
    return true;
}

void DiscardStagedWork(Workspace& ws) {
    for (PictureListEntry& row : ws.rows) {
        if (!row.changed) continue;
        const std::string staging = StagingFilePath(ws, static_cast<std::size_t>(row.entry.number));
        if (!FSactions_Tavik::FileMissing(staging)) FSactions_Tavik::DeleteFile(staging);
        row.changed = false;
    }
    const std::string pngPatch = PngPatchPath(ws);
    if (!FSactions_Tavik::FileMissing(pngPatch)) FSactions_Tavik::DeleteFile(pngPatch);
    ws.flash.pngChangesPending = false;
    SetSavePatchEnabled(ws, false);
}
