#pragma once
// The window's controls as data: names, design captions and start-up states.
// The Workspace keeps their current state keyed by name, so the core decides
// what is enabled or captioned and the front end only shows it.

#include <span>
#include <string>
#include <string_view>

#include "workspace/menu_tree.h"

struct ControlState {
    std::string caption;
    bool enabled = true;
    bool visible = true;

    friend bool operator==(const ControlState&, const ControlState&) = default;
};

/// Captioned controls that are not menus (window, frames, check box, tabs),
/// and the words of the list's headers, the status bar and the association
/// question.
struct ControlSpec {
    std::string_view name;
    std::string_view caption;
};
[[nodiscard]] std::span<const ControlSpec> WindowControls();
/// The Settings dialog's captioned controls; the dialog's title is "Form2".
[[nodiscard]] std::span<const ControlSpec> SettingsDialogControls();

namespace ControlNames {
inline constexpr std::string_view kWindow = "Form1";
inline constexpr std::string_view kInfoFrame = "FFinfo";
inline constexpr std::string_view kTransparency = "TransCheck";
inline constexpr std::string_view kPicturesTab = "TabStrip1";
inline constexpr std::string_view kThumbnailsTab = "ThumbnailsTab";
inline constexpr std::string_view kDontAskAgain = "DontAskAgain";
inline constexpr std::string_view kListPopup = "mnu_PopupPictures";
inline constexpr std::string_view kPicturePopup = "mnu_PopupPic";
/// While comparing: the check box that hides the rows that do not differ, and
/// the list column that says how each row differs.
inline constexpr std::string_view kCompareOnly = "CompareOnly";
inline constexpr std::string_view kCompareColumn = "CompareColumn";
}  // namespace ControlNames
