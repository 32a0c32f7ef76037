#pragma once
// What every batch save shares: which rows it takes, how it ended, and the
// loop that selects, decodes, names and writes each picture in turn.

#include <cstddef>
#include <functional>
#include <string>

class Ui;
class Workspace;

/// Which rows a batch command works on (by position); empty means all.
using RowFilter = std::function<bool(std::size_t rowPosition)>;

/// How a batch save ended: run to its last row, or stopped by a declined
/// overwrite or a failed write; and how many files it wrote.
struct BatchEnd {
    bool completed = true;
    int written = 0;
};

/// Writes the current picture to a path; false after its own message.
using PictureWriter = std::function<bool(const std::string& path)>;

/// The loop the batch saves share: each row `filter` lets through is selected
/// and decoded (a picture that cannot be decoded is skipped), named by the
/// file-name rule plus `extension` inside `folder`, and handed to `write` once
/// an existing file may be replaced. A declined overwrite or a failed write
/// stops the batch.
BatchEnd SavePicturesInFolder(Workspace& ws, Ui& ui, const std::string& folder,
                              const std::string& extension, const RowFilter& filter,
                              const PictureWriter& write);
