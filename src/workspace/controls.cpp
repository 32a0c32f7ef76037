#include "workspace/controls.h"

#include <array>

namespace {

constexpr std::array kWindowControls{
    ControlSpec{ControlNames::kWindow, "Pictavo v1.2"},
    ControlSpec{ControlNames::kInfoFrame, "Fullflash info"},
    ControlSpec{ControlNames::kTransparency, "transparency"},
    ControlSpec{ControlNames::kPicturesTab, "Pictures"},
    ControlSpec{ControlNames::kCompareOnly, "only differing"},
    ControlSpec{ControlNames::kCompareColumn, "B"},
    // Parts of the window the language file reaches besides the menus.
    ControlSpec{ControlNames::kThumbnailsTab, "Thumbnails"},
    ControlSpec{"ColumnHeader1", "#"},
    ControlSpec{"ColumnHeader2", "hex"},
    ControlSpec{"ColumnHeader3", "width"},
    ControlSpec{"ColumnHeader4", "height"},
    ControlSpec{"ColumnHeader5", "Type"},
    ControlSpec{"ColumnHeader6", "PIToffset"},
    ControlSpec{"ColumnHeader7", "PICoffset"},
    ControlSpec{"ColumnTip6", "File offset of the picture's entry in the picture index table"},
    ControlSpec{"ColumnTip7",
                "File offset of the picture's data (its flash address without the top digit)"},
    ControlSpec{"StatusHint", "Open a fullflash (.bin) with File > Open, or drop it on the window"},
    ControlSpec{"StatusPictures", "Pictures"},
    ControlSpec{"StatusPicture", "Picture"},
    ControlSpec{"StatusDataAt", "data at"},
    ControlSpec{"StatusBytes", "bytes"},
    ControlSpec{"StatusStaged", "Staged replacements"},
    ControlSpec{"StatusNoTable", "No picture table found in this file"},
    ControlSpec{"StatusZoom", "Zoom"},
    ControlSpec{ControlNames::kDontAskAgain, "Do not ask again"},
};

constexpr std::array kSettingsDialogControls{
    ControlSpec{"Form2", "Settings"},
    ControlSpec{"Frame2", "Converter program"},
    ControlSpec{"Command5", "Browse"},
    ControlSpec{"Frame1", "Language file"},
    ControlSpec{"Command1", "Browse"},
    ControlSpec{"Check1", "Transparency"},
    ControlSpec{"Check2", "Compress GPF"},
    ControlSpec{"Check3", "GPF2 as Default"},
    ControlSpec{"Check4", "Zero in filename"},
    ControlSpec{"Check5", "HEX filename"},
    ControlSpec{"Check6", "PNG: transparent pixels with alpha"},
    ControlSpec{"Command2", "OK"},
    ControlSpec{"Command3", "Apply"},
    ControlSpec{"Command4", "Cancel"},
    ControlSpec{"Command6", "Open GPF and GPF2 files with Pictavo"},
};

}  // namespace

std::span<const ControlSpec> WindowControls() {
    return kWindowControls;
}

std::span<const ControlSpec> SettingsDialogControls() {
    return kSettingsDialogControls;
}
