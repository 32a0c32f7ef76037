#pragma once
// Saving pictures as PNG files. Pictavo writes no PNG itself: the picture
// goes to a temporary bitmap, which the converter turns into the PNG.

#include <string>

#include "commands/batch_save.h"

class Ui;
class Workspace;

/// Picture menu: the shown picture, with an alpha channel when the user
/// answers OK to the alpha question.
void mnu_PopupPic_SaveAsPNG_Click(Workspace& ws, Ui& ui);
/// List menu: the selected picture, named after its number, with an alpha
/// channel when PngWithAlpha says so.
void mnu_PopupPictures_SaveAsPNG_Click(Workspace& ws, Ui& ui);

/// Whether the list's PNG exports give the current picture an alpha channel:
/// when it has alpha, and, with the setting on, for the transparency marker.
[[nodiscard]] bool PngWithAlpha(const Workspace& ws);

/// The current picture through the converter into `path`: the temporary
/// bitmap (32 bits with alpha, else 24), the converter run, the PNG copied
/// over `path` only once it is complete. Both temporary files are gone
/// afterwards. False, after a message, when any step fails.
bool WritePictureAsPng(Workspace& ws, Ui& ui, const std::string& path, bool withAlpha);

/// What the list's "Save as PNG" writes, for each row `filter` lets through,
/// into `folder`. A missing converter, a declined overwrite or a failed
/// conversion stops the batch; a picture that cannot be decoded is skipped.
BatchEnd SavePicturesAsPng(Workspace& ws, Ui& ui, const std::string& folder,
                           const RowFilter& filter = {});
