#pragma once
// The window's comparison: FullFlash > Compare with... opens a second
// fullflash read-only beside the loaded one, the list marks the rows that
// differ, the preview shows B's picture beside A's, and "Stage B's pictures"
// stages every differing picture for "Save Patch". Closing the comparison
// leaves the loaded fullflash, its list and its staged pictures as they were.

#include <string>
#include <string_view>

class Ui;
class Workspace;
struct PictureDifference;

/// FullFlash > Compare with...: asks for B, refuses a file without a picture
/// table or of another model or platform, and compares. A comparison open
/// before is replaced only by one that opens.
void mnu_Fullflash_Compare_Click(Workspace& ws, Ui& ui);

/// Compares the loaded fullflash with the one at `path`; false after a message.
bool CompareWith(Workspace& ws, Ui& ui, const std::string& path);

/// FullFlash > Stage B's pictures: every picture whose pixels or entry differ
/// staged with B's stream on its row, then how many were staged and left out.
void mnu_Fullflash_CompareStage_Click(Workspace& ws, Ui& ui);

/// FullFlash > Close comparison.
void mnu_Fullflash_CompareClose_Click(Workspace& ws);

/// Ends the comparison quietly (a new fullflash loaded, the old one closed).
void EndComparison(Workspace& ws);

/// The "only differing" check box. Turned on, it moves the selection off a
/// row it hides.
void CompareOnly_Click(Workspace& ws, Ui& ui, bool checked);

/// B's picture of the selected row into the comparison's preview and
/// information line.
void ShowComparedPicture(Workspace& ws);

/// How a row differs, as the list's comparison column shows it.
[[nodiscard]] std::string DifferenceKindText(const Workspace& ws,
                                             const PictureDifference& difference);

/// The line above the list: which file, how many pictures differ, how many
/// only B's table lists.
[[nodiscard]] std::string ComparisonBarText(const Workspace& ws);

/// The same line in parts, so a narrow window can shorten the file's name
/// alone: the words before it, the name, the counts that follow it after
/// `kComparisonBarJoiner`.
struct ComparisonBarParts {
    std::string before;
    std::string fileName;
    std::string counts;
};
inline constexpr std::string_view kComparisonBarJoiner = "  |  ";
[[nodiscard]] ComparisonBarParts ComparisonBar(const Workspace& ws);
