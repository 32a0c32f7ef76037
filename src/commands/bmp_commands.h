#pragma once
// Saving pictures as 24- or 32-bit BMP files.

#include <string>

#include "commands/batch_save.h"

class Ui;
class Workspace;

/// Picture menu: the shown picture, with the alpha question.
void mnu_PopupPic_SaveAsBMP_Click(Workspace& ws, Ui& ui);
/// List menu: the selected picture, named after its number.
void mnu_PopupPictures_SaveAsBMP_Click(Workspace& ws, Ui& ui);
/// List menu: every picture into a folder.
void mnu_PopupPictures_SaveAsBMPs_Click(Workspace& ws, Ui& ui);

/// The loop of "Save as BMPs" over the rows `filter` lets through, into
/// `folder`. A declined overwrite or a failed write stops the batch without the
/// closing message; a picture of a type that cannot be decoded is skipped.
BatchEnd SavePicturesAsBmp(Workspace& ws, Ui& ui, const std::string& folder,
                           const RowFilter& filter = {});
