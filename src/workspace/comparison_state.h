#pragma once
// A second fullflash held read-only beside the loaded one while the window
// compares them: B's table, what differs, and B's picture of the selected row.
// The loaded fullflash, its list and its staged pictures stay as they are.

#include <memory>
#include <string>
#include <vector>

#include "codec/decoded_picture.h"
#include "codec/paint_picture.h"
#include "compare/fullflash_comparison.h"
#include "support/mapped_file.h"

struct ComparisonState {
    std::shared_ptr<const MappedFile> file;  ///< B, never written
    ScannedFullflash flash;                  ///< B's identity and table
    std::vector<PictureDifference> differences;
    /// Per row of the loaded list: its index in `differences`, or -1.
    std::vector<int> differenceOfRow;
    bool onlyDiffering = false;  ///< the list shows only the rows that differ

    DecodedPicture picture;          ///< B's picture of the selected row
    GPFcodec::PaintedImage preview;  ///< empty when B has none to show
    std::string pictureInfo;         ///< B's information line, or why there is no picture

    /// The difference of a row of the loaded list, or nullptr when it is the same.
    [[nodiscard]] const PictureDifference* differenceAt(std::size_t row) const {
        if (row >= differenceOfRow.size() || differenceOfRow[row] < 0) return nullptr;
        return &differences[static_cast<std::size_t>(differenceOfRow[row])];
    }
};
