#pragma once
// Loading and closing a fullflash.

#include <string>

class Ui;
class Workspace;

/// Makes the file at `path` the current fullflash: identification, the
/// information panel, the picture list and the menu states. A file that cannot
/// be opened shows the missing-file message and changes nothing; returns
/// whether the file was loaded.
bool LoadFullflash(Workspace& ws, Ui& ui, const std::string& path);

/// The information panel: the identification of the loaded fullflash in the
/// loaded language, six lines joined by CR; for a file without a picture table
/// only that it is none.
[[nodiscard]] std::string FullflashInfoText(const Workspace& ws);

/// Walks the picture table of the loaded fullflash from `PITadr`, replaces
/// the picture list with its rows, sets `picnum` and moves the progress bar.
void ScanPictureTable(Workspace& ws, Ui& ui);

/// Ends the current fullflash and empties the list and the panel.
/// The preview, the Save Patch entries and the pending PNG changes stay.
void CloseFullflash(Workspace& ws);

/// File > Close: asks first when staged work would be lost.
void mnu_FileClose_Click(Workspace& ws, Ui& ui);
