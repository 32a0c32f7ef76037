#include "app/form1_menu_table.h"

#include <array>

#include "app/form1.h"
#include "commands/gpf_commands.h"
#include "workspace/menu_tree.h"

namespace {

constexpr std::array kMenuSlots{
    MenuSlot{"mnu_FileOpen", &Form1::mnu_FileOpen_Click},
    MenuSlot{"mnu_FileClose", &Form1::mnu_FileClose_Click},
    MenuSlot{"mnu_FileExit", &Form1::mnu_FileExit_Click},
    MenuSlot{"mnu_File_MRU1", &Form1::mnu_File_MRU_Click, 1},
    MenuSlot{"mnu_File_MRU2", &Form1::mnu_File_MRU_Click, 2},
    MenuSlot{"mnu_File_MRU3", &Form1::mnu_File_MRU_Click, 3},
    MenuSlot{"mnu_Tools_ExtractFgrP", &Form1::mnu_Tools_ExtractFgrP_Click},
    MenuSlot{"mnu_Tools_ExtractFGPN", &Form1::mnu_Tools_ExtractFGPN_Click},
    MenuSlot{"mnu_Tools_FindGIF", &Form1::mnu_Tools_FindGIF_Click},
    MenuSlot{"mnu_Tools_FindPNG", &Form1::mnu_Tools_FindPNG_Click},
    MenuSlot{"mnu_Tools_FindXML", &Form1::mnu_Tools_FindXML_Click},
    MenuSlot{"mnu_Tools_FindPicture", &Form1::mnu_Tools_FindPicture_Click},
    MenuSlot{"mnu_Fullflash_Change_PNG", &Form1::mnu_Fullflash_Change_PNG_Click},
    MenuSlot{"mnu_Fullflash_SavePatch", &Form1::mnu_Fullflash_SavePatch_Click},
    MenuSlot{"mnu_Fullflash_VerifyPatch", &Form1::mnu_Fullflash_VerifyPatch_Click},
    MenuSlot{"mnu_Fullflash_PortPatch", &Form1::mnu_Fullflash_PortPatch_Click},
    MenuSlot{"mnu_Fullflash_Compare", &Form1::mnu_Fullflash_Compare_Click},
    MenuSlot{"mnu_Fullflash_CompareStage", &Form1::mnu_Fullflash_CompareStage_Click},
    MenuSlot{"mnu_Fullflash_CompareClose", &Form1::mnu_Fullflash_CompareClose_Click},
    MenuSlot{"mnu_View_ZoomIn", &Form1::mnu_View_ZoomIn_Click},
    MenuSlot{"mnu_View_ZoomOut", &Form1::mnu_View_ZoomOut_Click},
    MenuSlot{"mnu_View_ZoomFit", &Form1::mnu_View_ZoomFit_Click},
    MenuSlot{"mnu_View_Zoom1", &Form1::mnu_View_Zoom_Click, 1},
    MenuSlot{"mnu_View_Zoom2", &Form1::mnu_View_Zoom_Click, 2},
    MenuSlot{"mnu_View_Zoom4", &Form1::mnu_View_Zoom_Click, 4},
    MenuSlot{"mnu_View_Zoom8", &Form1::mnu_View_Zoom_Click, 8},
    MenuSlot{"mnu_View_Checkerboard", &Form1::mnu_View_Checkerboard_Click},
    MenuSlot{"mnu_Settings", &Form1::mnu_Settings_Click},
    MenuSlot{"mnu_Help_ReadMe", &Form1::mnu_Help_ReadMe_Click},
    MenuSlot{"mnu_Help_About", &Form1::mnu_Help_About_Click},
    MenuSlot{"mnu_PopupPictures_Load_1bit", &Form1::mnu_PopupPictures_Load_Click, kSaveGpf1Bit},
    MenuSlot{"mnu_PopupPictures_Load_8bit", &Form1::mnu_PopupPictures_Load_Click, kSaveGpf8Bit},
    MenuSlot{"mnu_PopupPictures_Load_16bit", &Form1::mnu_PopupPictures_Load_Click, kSaveGpf16Bit},
    MenuSlot{"mnu_PopupPictures_Load_24bit", &Form1::mnu_PopupPictures_Load_Click, kSaveGpf24Bit},
    MenuSlot{"mnu_PopupPictures_Loads_1bit", &Form1::mnu_PopupPictures_Loads_Click, kSaveGpf1Bit},
    MenuSlot{"mnu_PopupPictures_Loads_8bit", &Form1::mnu_PopupPictures_Loads_Click, kSaveGpf8Bit},
    MenuSlot{"mnu_PopupPictures_Loads_16bit", &Form1::mnu_PopupPictures_Loads_Click, kSaveGpf16Bit},
    MenuSlot{"mnu_PopupPictures_Loads_24bit", &Form1::mnu_PopupPictures_Loads_Click, kSaveGpf24Bit},
    MenuSlot{"mnu_PopupPictures_Discard", &Form1::mnu_PopupPictures_Discard_Click},
    MenuSlot{"mnu_PopupPictures_SaveAsGPF", &Form1::mnu_PopupPictures_SaveAsGPF_Click},
    MenuSlot{"mnu_PopupPictures_SaveAsGPFs", &Form1::mnu_PopupPictures_SaveAsGPFs_Click},
    MenuSlot{"mnu_PopupPictures_SaveAsBMP", &Form1::mnu_PopupPictures_SaveAsBMP_Click},
    MenuSlot{"mnu_PopupPictures_SaveAsBMPs", &Form1::mnu_PopupPictures_SaveAsBMPs_Click},
    MenuSlot{"mnu_PopupPictures_SaveAsPNG", &Form1::mnu_PopupPictures_SaveAsPNG_Click},
    MenuSlot{"mnu_PopupPictures_SavePatch", &Form1::mnu_PopupPictures_SavePatch_Click},
    MenuSlot{"mnu_PopupPic_SaveAsBMP", &Form1::mnu_PopupPic_SaveAsBMP_Click},
    MenuSlot{"mnu_PopupPic_SaveAsPNG", &Form1::mnu_PopupPic_SaveAsPNG_Click},
    MenuSlot{"mnu_PopupPic_SaveAsGPF_1bit", &Form1::mnu_PopupPic_SaveAsGPF_Click, kSaveGpf1Bit},
    MenuSlot{"mnu_PopupPic_SaveAsGPF_8bit", &Form1::mnu_PopupPic_SaveAsGPF_Click, kSaveGpf8Bit},
    MenuSlot{"mnu_PopupPic_SaveAsGPF_16bit", &Form1::mnu_PopupPic_SaveAsGPF_Click, kSaveGpf16Bit},
    MenuSlot{"mnu_PopupPic_SaveAsGPF_24bit", &Form1::mnu_PopupPic_SaveAsGPF_Click, kSaveGpf24Bit},
};

/// True when the rows name the menu tree's items, each once and in its order.
consteval bool followsMenuTree() {
    std::size_t row = 0;
    for (const MenuSpec& entry : kMenuTree) {
        if (entry.kind != MenuKind::Item) continue;
        if (row == kMenuSlots.size() || kMenuSlots[row].entry != entry.name) return false;
        ++row;
    }
    return row == kMenuSlots.size();
}
static_assert(followsMenuTree(), "one row per item of the menu tree, in the tree's order");

}  // namespace

void MenuSlot::run(Form1& window) const {
    if (slot != nullptr) {
        (window.*slot)();
    } else {
        (window.*slotWith)(argument);
    }
}

std::span<const MenuSlot> MenuSlots() {
    return kMenuSlots;
}
