#include "commands/difference_outputs.h"

#include "codec/gpf_file.h"
#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "codec/stream_length.h"
#include "commands/dialog_patterns.h"
#include "commands/picture_file_commands.h"
#include "commands/png_commands.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "support/byte_cursor.h"
#include "support/fs_actions.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

/// One side of a pair: false stops the batch.
bool savePairSide(Workspace& ws, Ui& ui, const std::string& folder,
                  std::span<const std::uint8_t> flash, const std::optional<PictureEntry>& entry,
                  const char* suffix, BatchEnd& end) {
    if (!entry || !DecodeFullflashPicture(ws.picture, flash, *entry)) return true;
    const auto name = GPFcodec::PictureFileNameFor(entry->number, ws.HEXFilename, ws.ZeroFilename);
    const std::string path = folder + name.base + suffix + ".png";
    if (!ConfirmOverwrite(ws, ui, path) || !WritePictureAsPng(ws, ui, path, PngWithAlpha(ws))) {
        return false;
    }
    ++end.written;
    return true;
}

}  // namespace

std::string StreamStagingFile(std::span<const std::uint8_t> flash, const PictureEntry& entry,
                              int number) {
    const std::size_t length =
        GPFcodec::StreamLength(flash, entry.dataOffset, entry.width, entry.height,
                               GPFcodec::TypeInfoFromCode(entry.type))
            .value_or(0);
    GPFcodec::GpfHeader header;
    header.width = static_cast<std::int16_t>(entry.width);
    header.height = static_cast<std::int16_t>(entry.height);
    header.typeCode = entry.type;
    header.pictureNumber = static_cast<std::int16_t>(number);
    header.gpf2 = true;
    ByteCursor stream(flash, entry.dataOffset);
    return GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) + stream.bytes(length));
}

BatchEnd SaveDifferencesAsPng(Workspace& ws, Ui& ui, const std::string& folder,
                              std::span<const PictureDifference> differences,
                              std::span<const std::uint8_t> flashB) {
    if (!ConverterAvailable(ws, ui)) return BatchEnd{false, 0};
    const PreviewKeeper keeper(ws);
    BatchEnd end;
    const std::span<const std::uint8_t> flashA = ws.flash.file->bytes();
    for (std::size_t i = 0; i < differences.size(); ++i) {
        ui.progress(static_cast<int>(i * 100 / differences.size()));
        const PictureDifference& difference = differences[i];
        if (!savePairSide(ws, ui, folder, flashA, difference.a, "-a", end) ||
            !savePairSide(ws, ui, folder, flashB, difference.b, "-b", end)) {
            end.completed = false;
            return end;
        }
    }
    ui.progress(100);
    return end;
}

StagedDifferences StageDifferences(Workspace& ws, Ui& ui,
                                   std::span<const PictureDifference> differences,
                                   std::span<const std::uint8_t> flashB) {
    const PreviewKeeper keeper(ws);
    StagedDifferences outcome;
    for (const PictureDifference& difference : differences) {
        if (!difference.a || !difference.b) {
            ++outcome.outsideA;
            continue;
        }
        if (difference.onlyMoved()) {
            ++outcome.onlyMoved;
            continue;
        }
        if (difference.undecodableB) {
            ++outcome.undecodable;
            continue;
        }
        const auto position = static_cast<std::size_t>(difference.number);
        const std::string staging = StagingFilePath(ws, position);
        if (!FSactions_Tavik::ReplaceFile(
                staging, StreamStagingFile(flashB, *difference.b, difference.number))) {
            ShowWriteFailed(ws, ui, staging);
            outcome.failed = true;
            break;
        }
        ws.rows[position].changed = true;
        ++outcome.staged;
    }
    if (outcome.staged > 0) SetSavePatchEnabled(ws, true);
    ui.refresh();
    return outcome;
}
