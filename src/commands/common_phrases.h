// Texts that more than one command says, kept once so that their words
// cannot drift apart between the commands.
#pragma once

#include "support/phrases.h"

/// A second file (Compare's B, the fullflash a patch was made for) has no
/// picture table; the file's path follows on the next line.
inline constexpr Phrase kNoPictureTableInFile{"str_CmpNoPIT",
                                              "No picture table found in this file"};

/// A picture of another fullflash that the decoder refuses.
inline constexpr Phrase kCannotBeDecoded{"str_CmpUndec", "cannot be decoded"};

/// A patch too large to read into memory for checking.
inline constexpr Phrase kNoMemoryForPatch{
    "str_VerNoMem", "Not enough memory to check this patch (%1 bytes of text)."};
