#include "commands/verify_commands.h"

#include <new>

#include "commands/common_phrases.h"
#include "commands/dialog_patterns.h"
#include "patch/patch_report.h"
#include "patch/patch_verifier.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

/// Items of each kind the report window lists; the rest are counted.
constexpr std::size_t kListedItems = 500;

/// The report is titled with the menu entry, without the dots that promise a
/// dialog.
std::string reportTitle(const Workspace& ws) {
    std::string title = ws.control("mnu_Fullflash_VerifyPatch").caption;
    while (title.ends_with('.')) title.pop_back();
    return title;
}

ReportTone toneOf(PatchVerdictKind kind) {
    switch (kind) {
        case PatchVerdictKind::Safe:
            return ReportTone::Good;
        case PatchVerdictKind::CheckFirst:
        case PatchVerdictKind::AlreadyApplied:
            return ReportTone::Warning;
        case PatchVerdictKind::OtherFirmware:
        case PatchVerdictKind::Unreadable:
            break;
    }
    return ReportTone::Bad;
}

}  // namespace

void mnu_Fullflash_VerifyPatch_Click(Workspace& ws, Ui& ui) {
    if (!ws.isLoaded()) return;
    const auto chosen = AskOpenPath(ws, ui, Filter(ws, FileKind::Vkp));
    if (!chosen) return;
    const auto text = FSactions_Tavik::ReadFileBytes(*chosen);
    if (!text) {
        ShowFileMissing(ws, ui, *chosen);
        return;
    }
    const PhraseBook words = ws.phrases();
    try {
        const PatchCheck check = VerifyPatch(ws.flash.file->bytes(), *text).check;
        const PatchVerdict verdict = JudgePatch(check, words);
        ui.report(reportTitle(ws), toneOf(verdict.kind), verdict.text,
                  PatchDetails(check, "\r", kListedItems, words));
    } catch (const std::bad_alloc&) {
        ui.message(words(kNoMemoryForPatch, {std::to_string(text->size())}), reportTitle(ws),
                   MessageButtons::Ok);
    }
}
