#include "commands/patch_commands.h"

#include <memory>
#include <optional>

#include "commands/dialog_patterns.h"
#include "commands/embedded_png_commands.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "patch/free_space.h"
#include "patch/picture_patch.h"
#include "patch/picture_places.h"
#include "patch/staged_picture.h"
#include "patch/vkp_format.h"
#include "support/byte_cursor.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace FSactions_Tavik;
using namespace Vkp;

namespace {

constexpr Phrase kDamagedStaging{"str_PatDamaged", "Damaged staging file!"};
constexpr Phrase kTooLargeForTable{
    "str_PatLarge", "Picture %1: %2 x %3 is too large for this fullflash's picture table!"};
constexpr Phrase kNoFreeFlash{"str_PatNoFree", "Can't find free memory in fullflash!"};

/// A picture's new data stays in its place when it reaches no further than
/// the place's end.
bool FitsInPlace(const PictureEntry& entry, std::optional<std::uint32_t> placeEnd, double size) {
    return placeEnd && size <= static_cast<double>(*placeEnd - entry.dataOffset);
}

/// One run of the writer: the text so far and where the pictures went.
class PatchBuilder {
  public:
    PatchBuilder(Workspace& ws, Ui& ui)
        : m_ws(ws), m_ui(ui), m_position(ws.flash.freeSpacePosition) {
        const FullflashState& f = ws.flash;
        for (const std::string& line : BannerLines({ws.control(ControlNames::kWindow).caption,
                                                    f.ManufN, f.mModel, f.fw, f.platform})) {
            AppendLine(m_text, line);
        }
    }

    /// The block of one bold row; false when the picture could not be placed.
    bool addPicture(std::size_t position) {
        const PictureEntry& entry = m_ws.rows[position].entry;
        AppendLine(m_text, "");
        AppendLine(m_text, PictureComment(entry.number));
        const std::string staging = StagingFilePath(m_ws, static_cast<std::size_t>(entry.number));
        const auto bytes = ReadFileBytes(staging);  // nothing when the file is missing
        if (!bytes) return false;
        const auto staged = ReadStagedPicture(*bytes);
        if (!staged) {
            m_ui.message(m_ws.say(kDamagedStaging) + "\r" + staging, "", MessageButtons::Ok);
            return false;
        }
        const auto width = static_cast<unsigned>(staged->header.width);
        const auto height = static_cast<unsigned>(staged->header.height);
        if (!EntryHolds(format(), width, height)) {
            m_ui.message(
                m_ws.say(kTooLargeForTable, {std::to_string(entry.number), std::to_string(width),
                                             std::to_string(height)}),
                "", MessageButtons::Ok);
            return false;
        }
        const auto target = placeFor(position, staged->dataSize);
        if (!target) return false;
        AppendLine(m_text, DataLine(EntryRow(flash(), entry.entryOffset, format(), width, height,
                                             static_cast<std::uint8_t>(staged->header.typeCode),
                                             target->address)));
        AppendLine(m_text, "");
        AppendRows(m_text, PictureDataRows(flash(), target->offset, staged->stream,
                                           staged->dataSize, target->placeEnd));
        return true;
    }

    void addPngReplacements() {
        if (!m_ws.flash.pngChangesPending) return;
        const auto lines = ReadFileBytes(PngPatchPath(m_ws));
        if (lines) m_text += *lines;
    }

    [[nodiscard]] const std::string& text() const { return m_text; }
    [[nodiscard]] double searchPosition() const { return m_position; }

  private:
    struct Target {
        std::uint32_t offset;
        std::uint32_t address;                  ///< what the entry points to
        std::optional<std::uint32_t> placeEnd;  ///< set when the data stays in its place
    };

    [[nodiscard]] std::span<const std::uint8_t> flash() const { return m_ws.flash.file->bytes(); }
    [[nodiscard]] EntryFormat format() const {
        return EntryFormatFor(m_ws.flash.NewSGold, m_ws.flash.mModel);
    }

    /// Every picture's data, and the place of every bold row, which this
    /// patch may rewrite: relocated data must land on none of them.
    PicturePlaces& places() {
        if (!m_places) {
            std::vector<PictureEntry> entries;
            for (const PictureListEntry& row : m_ws.rows) entries.push_back(row.entry);
            m_places = std::make_unique<PicturePlaces>(flash(), entries);
            for (std::size_t i = 0; i < m_ws.rows.size(); ++i) {
                const auto end = m_ws.rows[i].changed ? m_places->inPlaceEnd(i) : std::nullopt;
                if (end) m_places->reserve(m_ws.rows[i].entry.dataOffset, *end);
            }
        }
        return *m_places;
    }

    std::optional<Target> placeFor(std::size_t position, std::uint32_t dataSize) {
        const PictureEntry& entry = m_ws.rows[position].entry;
        const auto end = places().inPlaceEnd(position);
        if (FitsInPlace(entry, end, dataSize)) {
            ByteCursor oldAddress(
                flash(), entry.entryOffset + static_cast<std::size_t>(EntrySize(format())) - 4);
            return Target{entry.dataOffset, oldAddress.u32le(), end};
        }
        const PicturePlaces& taken = places();
        const auto run = FindFreeSpace(
            flash(), m_position, dataSize,
            [&taken](std::uint32_t b, std::uint32_t e) { return taken.occupied(b, e); });
        if (!run) {
            if (!m_toldNoSpace) m_ui.message(m_ws.say(kNoFreeFlash), "", MessageButtons::Ok);
            m_toldNoSpace = true;
            return std::nullopt;
        }
        m_position = run->end;
        return Target{run->start, FlashAddress(run->start), std::nullopt};
    }

    Workspace& m_ws;
    Ui& m_ui;
    std::string m_text;
    double m_position;
    std::unique_ptr<PicturePlaces> m_places;
    bool m_toldNoSpace = false;
};

}  // namespace

void mnu_PopupPictures_SavePatch_Click(Workspace& ws, Ui& ui) {
    WritePatch(ws, ui);
}

void mnu_Fullflash_SavePatch_Click(Workspace& ws, Ui& ui) {
    mnu_PopupPictures_SavePatch_Click(ws, ui);
}

std::optional<std::uint32_t> StagedDataPlace(Workspace& ws, std::size_t position, double size) {
    if (!ws.isLoaded() || position >= ws.rows.size()) return std::nullopt;
    if (!ws.places || ws.placesRevision != ws.rowsRevision) {
        std::vector<PictureEntry> entries;
        for (const PictureListEntry& row : ws.rows) entries.push_back(row.entry);
        ws.places = std::make_shared<const PicturePlaces>(ws.flash.file->bytes(), entries);
        ws.placesRevision = ws.rowsRevision;
    }
    const PictureEntry& entry = ws.rows[position].entry;
    if (!FitsInPlace(entry, ws.places->inPlaceEnd(position), size)) return std::nullopt;
    return entry.dataOffset;
}

bool WritePatch(Workspace& ws, Ui& ui) {
    const auto chosen = AskSavePath(ws, ui, Filter(ws, FileKind::Vkp), "GP_", "vkp");
    if (!chosen) return false;
    const std::string path = WithExtension(*chosen, ".vkp");
    if (!ConfirmOverwrite(ws, ui, path)) return false;
    const auto written = WritePatchTo(ws, ui, path);
    if (!written) return false;
    ui.message(PatchClosingMessage(ws, *written), "", MessageButtons::Ok);
    ws.statusNote = PatchStatusNote(ws, path, *written);
    return written->notPlaced.empty();
}

namespace {

constexpr Phrase kOneLeftOut{"str_PatLeft1", "1 picture was not placed and stays staged: %2"};
constexpr Phrase kLeftOut{"str_PatLeft", "%1 pictures were not placed and stay staged: %2"};
constexpr Phrase kPatchOne{"str_PatStat1", "Patch %1: 1 picture, %3 lines"};
constexpr Phrase kPatch{"str_PatStat", "Patch %1: %2 pictures, %3 lines"};

std::string numberList(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

std::string leftOutText(const Workspace& ws, const PatchWritten& written) {
    const std::size_t count = written.notPlaced.size();
    return ws.say(count == 1 ? kOneLeftOut : kLeftOut,
                  {std::to_string(count), numberList(written.notPlaced)});
}

}  // namespace

std::string PatchClosingMessage(const Workspace& ws, const PatchWritten& written) {
    std::string text = ws.text("str_Succes");
    if (!written.notPlaced.empty()) text += "\r" + leftOutText(ws, written);
    return text;
}

std::string PatchStatusNote(const Workspace& ws, const std::string& path,
                            const PatchWritten& written) {
    std::string note =
        ws.say(written.pictures == 1 ? kPatchOne : kPatch,
               {path, std::to_string(written.pictures), std::to_string(written.lines)});
    if (!written.notPlaced.empty()) note += "; " + leftOutText(ws, written);
    return note;
}

std::optional<PatchWritten> WritePatchTo(Workspace& ws, Ui& ui, const std::string& path) {
    PatchBuilder patch(ws, ui);
    std::vector<std::size_t> written;
    PatchWritten outcome;
    for (std::size_t i = 0; i < ws.rows.size(); ++i) {
        if (!ws.rows[i].changed) continue;
        if (patch.addPicture(i)) {
            written.push_back(i);
        } else {
            outcome.notPlaced.push_back(ws.rows[i].entry.number);
        }
    }
    outcome.pictures = static_cast<int>(written.size());
    patch.addPngReplacements();
    outcome.lines = LineCount(patch.text());
    if (!ReplaceFile(path, patch.text())) {
        ShowWriteFailed(ws, ui, path);
        return std::nullopt;
    }

    for (std::size_t i : written) {
        ws.rows[i].changed = false;
        DeleteFile(StagingFilePath(ws, static_cast<std::size_t>(ws.rows[i].entry.number)));
    }
    ws.flash.freeSpacePosition = patch.searchPosition();
    ws.flash.pngChangesPending = false;
    const std::string pngPatch = PngPatchPath(ws);
    if (!FileMissing(pngPatch)) DeleteFile(pngPatch);
    // Pictures left out keep their marks, so the entries stay for another try.
    SetSavePatchEnabled(ws, !outcome.notPlaced.empty());
    ui.refresh();
    return outcome;
}
