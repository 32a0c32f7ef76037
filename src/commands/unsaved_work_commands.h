#pragma once
// Staged pictures and PNG changes live only in the temporary folder until
// "Save Patch" writes them. Whatever would drop them (File > Close, Exit,
// another fullflash) asks first.

#include <string>

class Ui;
class Workspace;

/// Rows whose replacement is staged.
[[nodiscard]] int StagedPictureCount(const Workspace& ws);

/// Asks, when pictures are staged or PNG changes wait, whether to save them in
/// a patch first: Save Patch runs it, Discard drops them, Cancel keeps
/// everything. Returns whether the caller may go on: nothing waited, the
/// patch was written whole, or the user chose Discard.
[[nodiscard]] bool ConfirmDropStagedWork(Workspace& ws, Ui& ui);

/// Deletes every staging file and the PNG changes, unmarks the rows and
/// disables Save Patch.
void DiscardStagedWork(Workspace& ws);
