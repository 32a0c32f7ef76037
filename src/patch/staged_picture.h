#pragma once
// A staging file read back for the patch: the replacement's header, its data
// stream and the stream's length.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codec/gpf_file.h"

struct StagedPicture {
    GPFcodec::GpfHeader header;
    std::string stream;          ///< the bytes after the header, zero padding included
    std::uint32_t dataSize = 0;  ///< bytes of the data stream proper
};

/// Nothing for a file that is no GPF or GPF2, whose type the decoder does not
/// know, or whose stream ends before its picture does (a cut-off file).
[[nodiscard]] std::optional<StagedPicture> ReadStagedPicture(std::string_view file);
