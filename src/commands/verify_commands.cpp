#include "commands/verify_commands.h"

#include <new>

#include "commands/dialog_patterns.h"
#include "patch/patch_verifier.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

/// Items of each kind a message box can show and still fit on a screen.
constexpr std::size_t kListedItems = 12;

/// The report is titled with the menu entry, without the dots that promise a
/// dialog.
std::string reportTitle(const Workspace& ws) {
    std::string title = ws.control("mnu_Fullflash_VerifyPatch").caption;
    while (title.ends_with('.')) title.pop_back();
    return title;
}

}  // namespace

void mnu_Fullflash_VerifyPatch_Click(Workspace& ws, Ui& ui) {
    if (!ws.isLoaded()) return;
    const auto chosen = AskOpenPath(ws, ui, {"ViKlay Patch File (*.vkp)", "*.vkp"});
    if (!chosen) return;
    const auto text = FSactions_Tavik::ReadFileBytes(*chosen);
    if (!text) {
        ShowFileMissing(ws, ui, *chosen);
        return;
    }
    std::string report;
    try {
        report = PatchReport(VerifyPatch(ws.flash.file->bytes(), *text).check, "\r", kListedItems);
    } catch (const std::bad_alloc&) {
        report = "Not enough memory to check this patch (" + std::to_string(text->size()) +
                 " bytes of text).";
    }
    ui.message(report, reportTitle(ws), MessageButtons::Ok);
}
