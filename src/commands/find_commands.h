#pragma once
// A picture file looked for among the loaded fullflash's pictures: "which
// index is this icon?" answered by what the pictures show.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compare/shown_pixels.h"

class Ui;
class Workspace;

/// Reads a picture file as "Load picture" reads it (GPF, GPF2, BMP, GIF,
/// JPEG, PNG) into the current picture and returns what it shows; nothing,
/// after a message, when it cannot be read or is larger than 240 x 320.
std::optional<ShownPixels> ReadWantedPicture(Workspace& ws, Ui& ui, const std::string& path);

/// The rows whose pictures show exactly the picture in `path`. The first is
/// selected and shown; when none matches, a message says so and names the
/// nearest pictures.
std::vector<std::size_t> FindPictureRows(Workspace& ws, Ui& ui, const std::string& path);

/// Tools menu "Find picture...": asks for a picture file and runs FindPictureRows.
std::vector<std::size_t> mnu_Tools_FindPicture_Click(Workspace& ws, Ui& ui);
