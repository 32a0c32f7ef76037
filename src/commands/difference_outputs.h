#pragma once
// What a comparison of two fullflashes can turn into: the differing pictures
// of both side by side as PNG files, and B's pictures staged on A's rows, so
// that "Save Patch" writes a patch turning A's pictures into B's. A is the
// loaded fullflash; B is only read.

#include <cstdint>
#include <span>
#include <string>

#include "codec/decoded_picture.h"
#include "commands/batch_save.h"
#include "compare/fullflash_comparison.h"

class Ui;
class Workspace;

/// A picture's stream as a staging file for picture `number`: a GPF2 header
/// with the entry's size and type, then the stream bytes as `flash` stores
/// them, so the patch gives exactly the pixels `flash` shows.
[[nodiscard]] std::string StreamStagingFile(std::span<const std::uint8_t> flash,
                                            const PictureEntry& entry, int number);

/// Writes each differing picture as the list's "Save as PNG" writes it, A's
/// as NNNN-a.png and B's as NNNN-b.png (NNNN by the file-name rule), into
/// `folder`. A side whose table lacks the picture or whose type cannot be
/// decoded gets no file. A missing converter, a declined overwrite or a failed
/// write stops the batch.
BatchEnd SaveDifferencesAsPng(Workspace& ws, Ui& ui, const std::string& folder,
                              std::span<const PictureDifference> differences,
                              std::span<const std::uint8_t> flashB);

/// What staging B's pictures did.
struct StagedDifferences {
    int staged = 0;
    int onlyMoved = 0;    ///< same pixels elsewhere: nothing to stage
    int undecodable = 0;  ///< B's type cannot be decoded, so not staged
    int outsideA = 0;     ///< only one table lists them: no row of A to stage on
    bool failed = false;  ///< a staging file could not be written (after its message)
};

/// Stages, on A's rows, B's stream of every picture whose pixels or entry
/// differ (not those that only moved), at B's size, type and compression: the
/// staging file holds B's bytes unchanged, so the patch gives exactly B's
/// pixels. Stops at a staging file that cannot be written.
StagedDifferences StageDifferences(Workspace& ws, Ui& ui,
                                   std::span<const PictureDifference> differences,
                                   std::span<const std::uint8_t> flashB);
