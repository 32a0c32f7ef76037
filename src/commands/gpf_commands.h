#pragma once
// Saving pictures as GPF and GPF2 graphic patch files: the shown picture
// re-encoded in a chosen depth, or pictures of the list as the fullflash
// stores them.

#include <optional>
#include <string>

#include "commands/batch_save.h"

class Ui;
class Workspace;

/// Type codes of the picture menu's four "Save as GPF" entries (compressed).
inline constexpr int kSaveGpf1Bit = 0x81;
inline constexpr int kSaveGpf8Bit = 0x85;
inline constexpr int kSaveGpf16Bit = 0x88;
inline constexpr int kSaveGpf24Bit = 0x8A;

/// Picture menu "Save as GPF" with a depth: stores `code` in the current code
/// field and runs SaveAsGpfWithDepth.
void mnu_PopupPic_SaveAsGPF_Click(Workspace& ws, Ui& ui, int code);

/// The shown picture re-encoded with the current code field.
void SaveAsGpfWithDepth(Workspace& ws, Ui& ui);

/// List menu: the selected picture's bytes as the fullflash stores them.
void mnu_PopupPictures_SaveAsGPF_Click(Workspace& ws, Ui& ui);
/// List menu: every picture's bytes into a folder, named by 4-digit numbers.
void mnu_PopupPictures_SaveAsGPFs_Click(Workspace& ws, Ui& ui);

/// A 1-bit picture is never written compressed: "1bit GPF" and `str_CntCmp`.
void ShowOneBitRefused(const Workspace& ws, Ui& ui);

/// ".gpf2" when GPF2 is the default, else the answer to the GPF2 question.
[[nodiscard]] std::string ChooseGpfExtension(const Workspace& ws, Ui& ui);

/// Outcome of writing one picture.
enum class SaveOutcome { Written, Declined, Refused, Failed };

/// The checks of a chosen GPF path before anything is asked about the
/// encoding: a picture taller than 255 needs GPF2; an existing file needs the
/// user's OK. False ends the save.
[[nodiscard]] bool AcceptGpfTarget(const Workspace& ws, Ui& ui, const std::string& path);

/// Writes the shown picture re-encoded with `code` (compressed 1-bit is
/// refused with a message).
SaveOutcome WriteShownPictureAsGpf(Workspace& ws, Ui& ui, const std::string& path, int code);

/// The loop of "Save as GPFs": each row `filter` lets through is copied raw to
/// folder + 4-digit number + `extension`. A declined overwrite skips one
/// picture; a failed write stops the batch.
BatchEnd SavePicturesAsGpf(Workspace& ws, Ui& ui, const std::string& folder,
                           const std::string& extension, const RowFilter& filter = {});
