#pragma once
// The window's menus as data: every entry's name, parent, kind, design
// caption and start-up state, in display order.

#include <array>
#include <span>
#include <string_view>

enum class MenuKind { Menu, Item, Separator };

/// One entry of the menu tree, in display order; `parent` is empty for the
/// menu bar and for the two pop-up menus.
struct MenuSpec {
    std::string_view name;
    std::string_view parent;
    MenuKind kind;
    std::string_view caption;
    bool enabled = true;
    bool visible = true;
};

/// The whole menu tree: the menu bar, then the list pop-up and the picture
/// pop-up, with their design captions (a language file may replace most of
/// them later). Known at compile time, so the window can check that every
/// entry reaches a slot before it runs.
namespace MenuTreeRows {
using enum MenuKind;

inline constexpr std::array kMenuTree{
    MenuSpec{"mnu_File", "", Menu, "File"},
    MenuSpec{"mnu_FileOpen", "mnu_File", Item, "Open"},
    MenuSpec{"mnu_FileClose", "mnu_File", Item, "Close", false},
    MenuSpec{"mnu_FileExit", "mnu_File", Item, "Exit"},
    MenuSpec{"mnu_FileBAR", "mnu_File", Separator, ""},
    MenuSpec{"mnu_File_MRU1", "mnu_File", Item, "", true, false},
    MenuSpec{"mnu_File_MRU2", "mnu_File", Item, "", true, false},
    MenuSpec{"mnu_File_MRU3", "mnu_File", Item, "", true, false},
    MenuSpec{"mnu_Tools", "", Menu, "Tools"},
    MenuSpec{"mnu_Tools_ExtractFgrP", "mnu_Tools", Item, "Extract from Graph.Patch"},
    MenuSpec{"mnu_Tools_ExtractFGPN", "mnu_Tools", Item, "Extract from GPN"},
    MenuSpec{"mnu_Tools_FindGIF", "mnu_Tools", Item, "Extract GIFs"},
    MenuSpec{"mnu_Tools_FindPNG", "mnu_Tools", Item, "Extract PNGs"},
    MenuSpec{"mnu_Tools_FindXML", "mnu_Tools", Item, "Extract XMLs"},
    MenuSpec{"mnu_Tools_BAR1", "mnu_Tools", Separator, ""},
    MenuSpec{"mnu_Tools_FindPicture", "mnu_Tools", Item, "Find picture...", false},
    MenuSpec{"mnu_FullFlash", "", Menu, "FullFlash", false},
    MenuSpec{"mnu_Fullflash_Change_PNG", "mnu_FullFlash", Item, "Change PNG"},
    MenuSpec{"mnu_Fullflash_BAR1", "mnu_FullFlash", Separator, ""},
    MenuSpec{"mnu_Fullflash_SavePatch", "mnu_FullFlash", Item, "Save Patch", false},
    MenuSpec{"mnu_Fullflash_VerifyPatch", "mnu_FullFlash", Item, "Verify Patch..."},
    MenuSpec{"mnu_Fullflash_PortPatch", "mnu_FullFlash", Item, "Port a patch..."},
    MenuSpec{"mnu_Fullflash_BAR2", "mnu_FullFlash", Separator, ""},
    MenuSpec{"mnu_Fullflash_Compare", "mnu_FullFlash", Item, "Compare with..."},
    MenuSpec{"mnu_Fullflash_CompareStage", "mnu_FullFlash", Item, "Stage B's pictures", false},
    MenuSpec{"mnu_Fullflash_CompareClose", "mnu_FullFlash", Item, "Close comparison", false},
    MenuSpec{"mnu_View", "", Menu, "View"},
    MenuSpec{"mnu_View_ZoomIn", "mnu_View", Item, "Zoom in"},
    MenuSpec{"mnu_View_ZoomOut", "mnu_View", Item, "Zoom out"},
    MenuSpec{"mnu_View_BAR0", "mnu_View", Separator, ""},
    MenuSpec{"mnu_View_ZoomFit", "mnu_View", Item, "Fit"},
    MenuSpec{"mnu_View_Zoom1", "mnu_View", Item, "1:1"},
    MenuSpec{"mnu_View_Zoom2", "mnu_View", Item, "2:1"},
    MenuSpec{"mnu_View_Zoom4", "mnu_View", Item, "4:1"},
    MenuSpec{"mnu_View_Zoom8", "mnu_View", Item, "8:1"},
    MenuSpec{"mnu_View_BAR1", "mnu_View", Separator, ""},
    MenuSpec{"mnu_View_Checkerboard", "mnu_View", Item, "Checkerboard background"},
    MenuSpec{"mnu_Settings", "", Item, "Settings"},
    MenuSpec{"mnu_Help", "", Menu, "Help"},
    MenuSpec{"mnu_Help_ReadMe", "mnu_Help", Item, "ReadMe"},
    MenuSpec{"mnu_Help_About", "mnu_Help", Item, "About"},

    MenuSpec{"mnu_PopupPictures", "", Menu, "PicturesPopup", true, false},
    MenuSpec{"mnu_PopupPictures_Load", "mnu_PopupPictures", Menu, "Load picture"},
    MenuSpec{"mnu_PopupPictures_Load_1bit", "mnu_PopupPictures_Load", Item, "1 bit"},
    MenuSpec{"mnu_PopupPictures_Load_8bit", "mnu_PopupPictures_Load", Item, "8 bit"},
    MenuSpec{"mnu_PopupPictures_Load_16bit", "mnu_PopupPictures_Load", Item, "16 bit"},
    MenuSpec{"mnu_PopupPictures_Load_24bit", "mnu_PopupPictures_Load", Item, "24 bit"},
    MenuSpec{"mnu_PopupPictures_Loads", "mnu_PopupPictures", Menu, "Load pictures"},
    MenuSpec{"mnu_PopupPictures_Loads_1bit", "mnu_PopupPictures_Loads", Item, "1 bit"},
    MenuSpec{"mnu_PopupPictures_Loads_8bit", "mnu_PopupPictures_Loads", Item, "8 bit"},
    MenuSpec{"mnu_PopupPictures_Loads_16bit", "mnu_PopupPictures_Loads", Item, "16 bit"},
    MenuSpec{"mnu_PopupPictures_Loads_24bit", "mnu_PopupPictures_Loads", Item, "24 bit"},
    MenuSpec{"mnu_PopupPictures_Discard", "mnu_PopupPictures", Item, "Discard replacement", true,
             false},
    MenuSpec{"mnu_PopupPictures_BAR0", "mnu_PopupPictures", Separator, ""},
    MenuSpec{"mnu_PopupPictures_SaveAsGPF", "mnu_PopupPictures", Item, "Save as GPF"},
    MenuSpec{"mnu_PopupPictures_SaveAsGPFs", "mnu_PopupPictures", Item, "Save as GPFs"},
    MenuSpec{"mnu_PopupPictures_SaveAsBMP", "mnu_PopupPictures", Item, "Save as BMP"},
    MenuSpec{"mnu_PopupPictures_SaveAsBMPs", "mnu_PopupPictures", Item, "Save as BMPs"},
    MenuSpec{"mnu_PopupPictures_SaveAsPNG", "mnu_PopupPictures", Item, "Save as PNG"},
    MenuSpec{"mnu_PopupPictures_BAR1", "mnu_PopupPictures", Separator, ""},
    MenuSpec{"mnu_PopupPictures_SavePatch", "mnu_PopupPictures", Item, "Save Patch", false},

    MenuSpec{"mnu_PopupPic", "", Menu, "PicturePopup", true, false},
    MenuSpec{"mnu_PopupPic_SaveAsBMP", "mnu_PopupPic", Item, "Save as BMP"},
    MenuSpec{"mnu_PopupPic_SaveAsPNG", "mnu_PopupPic", Item, "Save as PNG"},
    MenuSpec{"mnu_PopupPic_SaveAsGPF", "mnu_PopupPic", Menu, "Save as GPF"},
    MenuSpec{"mnu_PopupPic_SaveAsGPF_1bit", "mnu_PopupPic_SaveAsGPF", Item, "1 bit"},
    MenuSpec{"mnu_PopupPic_SaveAsGPF_8bit", "mnu_PopupPic_SaveAsGPF", Item, "8 bit"},
    MenuSpec{"mnu_PopupPic_SaveAsGPF_16bit", "mnu_PopupPic_SaveAsGPF", Item, "16 bit"},
    MenuSpec{"mnu_PopupPic_SaveAsGPF_24bit", "mnu_PopupPic_SaveAsGPF", Item, "24 bit"},
};
}  // namespace MenuTreeRows

using MenuTreeRows::kMenuTree;

[[nodiscard]] constexpr std::span<const MenuSpec> MenuTree() {
    return kMenuTree;
}
