#pragma once
// Saving pictures as 24- or 32-bit BMP files.

#include <functional>
#include <string>

#include "commands/preview_commands.h"

class Ui;
class Workspace;

/// Picture menu: the shown picture, with the alpha question.
void mnu_PopupPic_SaveAsBMP_Click(Workspace& ws, Ui& ui);
/// List menu: the selected picture, named after its number.
void mnu_PopupPictures_SaveAsBMP_Click(Workspace& ws, Ui& ui);
/// List menu: every picture into a folder.
void mnu_PopupPictures_SaveAsBMPs_Click(Workspace& ws, Ui& ui);

/// How a batch save ended: run to its last row, or stopped by a declined
/// overwrite or a failed write; and how many files it wrote.
struct BatchEnd {
    bool completed = true;
    int written = 0;
};

/// Writes the current picture to a path; false after its own message.
using PictureWriter = std::function<bool(const std::string& path)>;

/// The loop the batch saves share: each row `filter` lets through is selected
/// and decoded (a picture that cannot be decoded is skipped), named by the
/// file-name rule plus `extension` inside `folder`, and handed to `write` once
/// an existing file may be replaced. A declined overwrite or a failed write
/// stops the batch.
BatchEnd SavePicturesInFolder(Workspace& ws, Ui& ui, const std::string& folder,
                              const std::string& extension, const RowFilter& filter,
                              const PictureWriter& write);

/// The loop of "Save as BMPs" over the rows `filter` lets through, into
/// `folder`. A declined overwrite or a failed write stops the batch without the
/// closing message; a picture of a type that cannot be decoded is skipped.
BatchEnd SavePicturesAsBmp(Workspace& ws, Ui& ui, const std::string& folder,
                           const RowFilter& filter = {});
