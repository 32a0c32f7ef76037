#pragma once
// The bytes of one data token of a VKP record, read as the phone community's
// patch tools read them: hex runs; numbers "0x..", "0n.." (binary) and "0i.."
// (decimal, signed with + or -), little-endian; "..." strings as their 8-bit
// bytes and '...' strings as UTF-16LE (the text being Windows-1251), both with
// C-like escapes; placeholders ("XX", "0i1?") with their wildcards as zeros.

#include <string>
#include <string_view>

#include "patch/vkp_reader_lexer.h"

namespace Vkp {

/// Appends the bytes of `token` (Data, Number, Placeholder or String) to `out`.
/// False, with the reason in `problem`, when the token cannot be read.
bool AppendTokenBytes(const Token& token, std::string& out, std::string& problem);

/// `text` in double quotes, shortened for a message.
[[nodiscard]] std::string Quoted(std::string_view text);

}  // namespace Vkp
