#pragma once
// What a patch check means for the person about to flash it: one verdict, then
// the details behind it, in the words of the loaded language.

#include <string>
#include <string_view>

#include "patch/patch_verifier.h"
#include "support/phrases.h"

enum class PatchVerdictKind {
    Safe,            ///< applies as it stands and every picture it changes decodes
    CheckFirst,      ///< applies, but something in it needs a look before flashing
    AlreadyApplied,  ///< every line's new bytes are already in this fullflash
    OtherFirmware,   ///< old bytes that do not match, or lines outside the file
    Unreadable,      ///< a line the patch tools cannot read
};

struct PatchVerdict {
    PatchVerdictKind kind = PatchVerdictKind::Safe;
    std::string text;  ///< "Safe to flash", "Do not flash: …"
};

[[nodiscard]] PatchVerdict JudgePatch(const PatchCheck& check, const PhraseBook& words = {});

/// The facts behind the verdict, one per line joined by `lineBreak`; each kind
/// of finding lists at most `listLimit` items. No line contradicts the verdict.
[[nodiscard]] std::string PatchDetails(const PatchCheck& check, std::string_view lineBreak,
                                       std::size_t listLimit, const PhraseBook& words = {});

/// The verdict, then the details.
[[nodiscard]] std::string PatchReport(const PatchCheck& check, std::string_view lineBreak,
                                      std::size_t listLimit, const PhraseBook& words = {});
