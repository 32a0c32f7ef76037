#include "commands/fullflash_commands.h"

#include "commands/comparison_commands.h"
#include "commands/dialog_patterns.h"
#include "commands/staging_commands.h"
#include "fullflash/identification.h"
#include "support/basic_calculations.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

void setFullflashMenusEnabled(Workspace& ws, bool enabled) {
    ws.control("mnu_FileClose").enabled = enabled;
    ws.control("mnu_FullFlash").enabled = enabled;
    ws.control("mnu_Tools_FindPicture").enabled = enabled;
}

/// The six lines of the information panel, joined by CR.
std::string fullflashInfoText(const Workspace& ws) {
    const FullflashState& f = ws.flash;
    return ws.text("str_mModel") + ": " + f.mModel + "\r" +   //
           ws.text("str_firmW") + ": " + f.fw + "\r" +        //
           ws.text("str_lngPa") + ": " + f.lngPack + "\r" +   //
           "\r" +                                             //
           ws.text("str_platf") + ": " + f.platform + "\r" +  //
           ws.text("str_manuf") + ": " + f.ManufN;
}

}  // namespace

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

    EndComparison(ws);
    ws.ffInfo.clear();
    ws.flash = FullflashState{};
    SetSavePatchEnabled(ws, false);
    ws.flash.file = std::move(file);

    const FlashIdentity id = IdentifyFullflash(ws.flash.file->bytes());
    FullflashState& f = ws.flash;
    f.fw = id.fw;
    f.mModel = id.mModel;
    f.lngPack = id.lngPack;
    f.ManufN = id.ManufN;
    f.platform = id.platform;
    f.NewSGold = id.NewSGold;
    f.PITadr = id.PITadr;
    ws.ffInfo = fullflashInfoText(ws);

    ScanPictureTable(ws, ui);
    if (f.NewSGold) f.freeSpacePosition = kNewSGoldFreeSpaceStart;

    if (ws.fullflashLoaded) ws.fullflashLoaded(ws, path);
    setFullflashMenusEnabled(ws, true);
    return true;
}

void CloseFullflash(Workspace& ws) {
    EndComparison(ws);
    ws.ffInfo.clear();
    ws.flash.NewSGold = false;
    ws.flash.file.reset();
    ws.flash.freeSpacePosition = kSGoldFreeSpaceStart;
    setFullflashMenusEnabled(ws, false);
    ws.rows.clear();
    ++ws.rowsRevision;
    ws.selectedRow.reset();
}
