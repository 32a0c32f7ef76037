#include "commands/fullflash_commands.h"

#include "commands/comparison_commands.h"
#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "commands/unsaved_work_commands.h"
#include "fullflash/identification.h"
#include "support/basic_calculations.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

constexpr Phrase kNoPictureTable{
    "str_NoPIT", "No picture table found: this is not a fullflash of a supported phone"};

void setFullflashMenusEnabled(Workspace& ws, bool enabled) {
    ws.control("mnu_FileClose").enabled = enabled;
    ws.control("mnu_FullFlash").enabled = enabled;
    ws.control("mnu_Tools_FindPicture").enabled = enabled;
}

}  // namespace

std::string FullflashInfoText(const Workspace& ws) {
    if (!ws.isLoaded()) return {};
    if (ws.rows.empty()) return ws.say(kNoPictureTable);
    const FullflashState& f = ws.flash;
    return ws.text("str_mModel") + ": " + f.mModel + "\r" +   //
           ws.text("str_firmW") + ": " + f.fw + "\r" +        //
           ws.text("str_lngPa") + ": " + f.lngPack + "\r" +   //
           "\r" +                                             //
           ws.text("str_platf") + ": " + f.platform + "\r" +  //
           ws.text("str_manuf") + ": " + f.ManufN;
}

void ScanPictureTable(Workspace& ws, Ui& ui) {
    FullflashState& f = ws.flash;
    ws.selectedRow.reset();
    ws.rows = ReadPictureTable(f.file->bytes(), BasicCalculations_Tavik::HexToNumber(f.PITadr),
                               EntryFormatFor(f.NewSGold, f.mModel),
                               [&ui](int percent) { ui.progress(percent); });
    ++ws.rowsRevision;
    f.picnum = static_cast<std::int16_t>(static_cast<int>(ws.rows.size()) - 1);
}

bool LoadFullflash(Workspace& ws, Ui& ui, const std::string& path) {
    // Opened before anything changes, so a bad path leaves the current
    // fullflash and its list untouched.
    auto file = MappedFile::open(path);
    if (!file) {
        ShowFileMissing(ws, ui, path);
        return false;
    }

    // Everything of the earlier file goes, its picture on screen included;
    // unlike Close, a new file also starts without staged work.
    CloseFullflash(ws);
    ws.flash = FullflashState{};
    SetSavePatchEnabled(ws, false);
    ws.flash.file = std::move(file);

    const FullflashIdentity id = IdentifyFullflash(ws.flash.file->bytes());
    FullflashState& f = ws.flash;
    f.fw = id.fw;
    f.mModel = id.mModel;
    f.lngPack = id.lngPack;
    f.ManufN = id.ManufN;
    f.platform = id.platform;
    f.NewSGold = id.NewSGold;
    f.PITadr = id.PITadr;

    ScanPictureTable(ws, ui);
    ws.ffInfo = FullflashInfoText(ws);
    if (f.NewSGold) f.freeSpacePosition = kNewSGoldFreeSpaceStart;

    // Whatever lies at the identification places of a file without a picture
    // table means nothing: it is neither shown nor remembered as a fullflash,
    // only closed again.
    ws.control("mnu_FileClose").enabled = true;
    if (ws.rows.empty()) return true;
    if (ws.fullflashLoaded) ws.fullflashLoaded(ws, path);
    setFullflashMenusEnabled(ws, true);
    return true;
}

void mnu_FileClose_Click(Workspace& ws, Ui& ui) {
    if (ConfirmDropStagedWork(ws, ui)) CloseFullflash(ws);
}

void CloseFullflash(Workspace& ws) {
    EndComparison(ws);
    ws.ffInfo.clear();
    ws.statusNote.clear();
    ws.flash.NewSGold = false;
    ws.flash.file.reset();
    ws.flash.freeSpacePosition = kSGoldFreeSpaceStart;
    setFullflashMenusEnabled(ws, false);
    ws.rows.clear();
    ++ws.rowsRevision;
    ws.selectedRow.reset();
    // A picture left on screen with no fullflash open could be taken for one
    // still to be saved.
    ClearPreview(ws);
}
