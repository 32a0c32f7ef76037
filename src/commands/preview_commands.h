#pragma once
// Selecting a picture, showing it, and showing graphic patch files.

#include <optional>
#include <span>
#include <string>

#include "codec/decoded_picture.h"
#include "codec/gpf_file.h"
#include "codec/paint_picture.h"
#include "codec/picture_type.h"
#include "support/phrases.h"

class ByteCursor;
struct PictureEntry;
class Ui;
class Workspace;

/// Shows the selected row's picture: its staging file when the row is marked
/// changed, else its stream in the fullflash. Returns whether the picture
/// decoded; no row, or no fullflash, ends silently with false.
bool ShowSelectedPicture(Workspace& ws, Ui& ui);

/// What batch commands do for each row: select it, show it, let the front end
/// repaint. Returns whether the picture decoded.
bool SelectAndShow(Workspace& ws, Ui& ui, std::size_t rowPosition);

/// Batch commands select and decode row after row on their way. While one is
/// alive, it keeps the user's selection; when it goes, the selected row is
/// selected again and its picture shown anew (the staged replacement, should
/// the batch have staged one), or, with no row selected, the picture that was
/// shown before. A list replaced meanwhile is left as it is.
class PreviewKeeper {
  public:
    explicit PreviewKeeper(Workspace& ws);
    ~PreviewKeeper();
    PreviewKeeper(const PreviewKeeper&) = delete;
    PreviewKeeper& operator=(const PreviewKeeper&) = delete;

  private:
    Workspace& m_ws;
    std::optional<std::size_t> m_row;
    std::uint64_t m_rowsRevision;
    DecodedPicture m_picture;
    std::string m_pictureInfo;
};

/// Empties the preview and its information line.
void ClearPreview(Workspace& ws);

/// Decodes the picture `entry` names in the fullflash bytes `flash` into
/// `picture`, as the preview decodes a row. False, quietly, for a type the
/// decoder refuses.
bool DecodeFullflashPicture(DecodedPicture& picture, std::span<const std::uint8_t> flash,
                            const PictureEntry& entry);

/// Decodes the GPF or GPF2 file at `path` (a staged picture, say) into
/// `picture`. False, quietly, for a missing file, another kind of file or a
/// type the decoder refuses.
bool DecodeGpfFile(DecodedPicture& picture, const std::string& path);

/// Shows a GPF or GPF2 file. Returns whether the picture decoded.
bool ShowGpfFile(Workspace& ws, Ui& ui, const std::string& path);

/// Shows the content of a GPF or GPF2 file.
bool ShowGpfBytes(Workspace& ws, Ui& ui, std::span<const std::uint8_t> bytes);

/// Paints the current picture into the preview, with or without transparency.
void DrawPicture(Workspace& ws);

/// `picture` painted as the preview paints: transparency, background, checkerboard.
[[nodiscard]] GPFcodec::PaintedImage PaintForPreview(const Workspace& ws,
                                                     const DecodedPicture& picture);

/// The preview's information line: "number :: width x height :: depth bit ::
/// compressed or uncompressed :: data size bytes".
[[nodiscard]] std::string InformationLine(const std::string& number, const std::string& width,
                                          const std::string& height,
                                          const GPFcodec::PictureTypeInfo& type, double dataSize,
                                          const PhraseBook& words);

/// Reads a graphic patch file header. An unknown header sets the unknown-file
/// flag, shows `str_UNKfile` and gives nullopt.
std::optional<GPFcodec::GpfHeader> ReadGpfHeader(Workspace& ws, Ui& ui, ByteCursor& in);

/// The staging file of a picture: temporary folder, the table index padded to
/// four digits, ".gpf2".
[[nodiscard]] std::string StagingFilePath(const Workspace& ws, std::size_t rowPosition);
