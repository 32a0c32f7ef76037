#pragma once
// The picture reader library (picture_reader_entry.h), loaded once, on first
// use, and kept for the rest of the run. A build folder has it beside the
// programs; an installation in its private library folder.

#include <string>

#include "picture_io/picture_reader_entry.h"

namespace PictureIO {

/// The reader's decode function; nullptr when the library cannot be loaded.
/// Safe to call from several threads.
[[nodiscard]] PictavoDecodePicture PictureReader();

/// Empty once the reader is loaded, else a message that names the library,
/// where it was looked for and what went wrong.
[[nodiscard]] const std::string& PictureReaderProblem();

}  // namespace PictureIO
