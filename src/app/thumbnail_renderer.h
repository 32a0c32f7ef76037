#pragma once
// One tile of the thumbnail grid, made away from the window: everything it
// needs is copied into ThumbnailSource, so a worker thread never touches the
// Workspace.

#include <QImage>

#include <memory>
#include <string>

#include "fullflash/picture_table.h"
#include "support/mapped_file.h"

struct ThumbnailSource {
    std::shared_ptr<const MappedFile> flash;  ///< kept mapped while the tile is made
    PictureEntry entry;
    std::string stagingPath;  ///< set for a staged row: its replacement is shown
};

/// The picture decoded and painted with transparency on a checkerboard, fitted
/// into `size` x `size`: small pictures grow by a whole factor (pixels stay
/// sharp), large ones shrink smoothly. A null image when the picture cannot be
/// decoded (no message: a grid of 2,000 tiles must not raise 2,000 boxes).
[[nodiscard]] QImage RenderThumbnail(const ThumbnailSource& source, int size);
