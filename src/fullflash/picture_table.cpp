#include "fullflash/picture_table.h"

#include "support/basic_calculations.h"
#include "support/byte_cursor.h"

using namespace BasicCalculations_Tavik;

EntryFormat EntryFormatFor(bool newSGold, std::string_view mModel) {
    const bool longModel = mModel.starts_with("EL71") || mModel.starts_with("E71");
    return newSGold && longModel ? EntryFormat::Long : EntryFormat::Short;
}

PictureListEntry MakeListEntry(const PictureEntry& entry) {
    PictureListEntry row;
    row.entry = entry;
    const auto number = static_cast<std::uint32_t>(entry.number);
    row.index = PadZeros(std::to_string(number), 4);
    row.hexIndex = PadZeros(NumberToHex(number), 3);
    row.width = std::to_string(entry.width);
    row.height = std::to_string(entry.height);
    row.type = BytesToHex(
        std::string{static_cast<char>(entry.type), static_cast<char>(entry.secondType)}, false);
    row.pitOffset = NumberToHex(entry.entryOffset);
    row.picOffset = PadZeros(NumberToHex(entry.dataOffset), 7);
    return row;
}

std::array<std::string, 7> ColumnTexts(const PictureListEntry& row) {
    return {row.index, row.hexIndex, row.width, row.height, row.type, row.pitOffset, row.picOffset};
}

int EntrySize(EntryFormat format) {
    return format == EntryFormat::Long ? 12 : 8;
}

int HighestIndex(EntryFormat format) {
    return format == EntryFormat::Long ? 2500 : 2000;
}

namespace {

struct RawEntry {
    unsigned width = 0;
    unsigned height = 0;
    std::uint8_t type = 0;
    std::uint8_t secondType = 0;
};

RawEntry readEntryHead(ByteCursor& in, EntryFormat format) {
    RawEntry entry;
    if (format == EntryFormat::Long) {
        entry.width = in.u16le();
        entry.height = in.u16le();
        entry.type = in.u8();
        entry.secondType = in.u8();
        in.skip(2);
    } else {
        entry.width = in.u8();
        entry.height = in.u8();
        entry.type = in.u8();
        entry.secondType = in.u8();
    }
    return entry;
}

bool endsTable(const RawEntry& entry, EntryFormat format) {
    if (entry.secondType != 0x00) return true;
    if (entry.type >= 0x90) return true;
    return format == EntryFormat::Long && (entry.width > 240 || entry.height > 320);
}

}  // namespace

std::vector<PictureListEntry> ReadPictureTable(std::span<const std::uint8_t> flash,
                                               std::uint32_t pitOffset, EntryFormat format,
                                               const std::function<void(int)>& progress) {
    std::vector<PictureListEntry> rows;
    const int highest = HighestIndex(format);
    rows.reserve(static_cast<std::size_t>(highest) + 1);
    ByteCursor in(flash, pitOffset);
    int lastPercent = -1;
    for (int i = 0; i <= highest; ++i) {
        const std::size_t entryOffset = in.position();
        // An entry that does not lie wholly inside the file is no picture
        // entry: read as zero bytes it would pass the test, and a pointer past
        // the end would list phantom pictures up to the limit.
        if (entryOffset + static_cast<std::size_t>(EntrySize(format)) > flash.size()) break;
        const RawEntry entry = readEntryHead(in, format);
        if (endsTable(entry, format)) break;

        PictureEntry values;
        values.number = i;
        values.width = entry.width;
        values.height = entry.height;
        values.type = entry.type;
        values.secondType = entry.secondType;
        values.entryOffset = static_cast<std::uint32_t>(entryOffset);
        values.dataOffset = in.u32le() & 0x0FFFFFFFu;
        rows.push_back(MakeListEntry(values));

        const int percent = static_cast<int>(static_cast<double>(i) / highest * 100.0);
        if (percent != lastPercent && progress) {
            progress(percent);
            lastPercent = percent;
        }
    }
    if (progress) progress(100);
    return rows;
}
