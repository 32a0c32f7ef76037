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

/// What one row of a batch save did: wrote its file, left it out (a declined
/// overwrite, a picture the format cannot hold), or ended the batch.
enum class RowSaved { Written, Skipped, Stop };

/// The loop every batch save shares: each row `filter` lets through is
/// selected and decoded in turn (a picture that cannot be decoded is skipped,
/// as a wrong file would be written under its name) and handed to `save`, with
/// the progress before it; the user's selection comes back at the end.
BatchEnd SaveRowByRow(Workspace& ws, Ui& ui, const RowFilter& filter,
                      const std::function<RowSaved(std::size_t rowPosition)>& save);

/// Writes the current picture to a path; false after its own message.
using PictureWriter = std::function<bool(const std::string& path)>;

/// The batch saves of the exports: each row's picture, named by the file-name
/// rule plus `extension` inside `folder`, handed to `write` once an existing
/// file may be replaced. A declined overwrite or a failed write stops the
/// batch.
BatchEnd SavePicturesInFolder(Workspace& ws, Ui& ui, const std::string& folder,
                              const std::string& extension, const RowFilter& filter,
                              const PictureWriter& write);
