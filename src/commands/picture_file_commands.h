#pragma once
// Outside picture files (BMP, GIF, JPEG, PNG) into the current picture, and
// the converter that PNG files need.

#include <string>
#include <string_view>

class Ui;
class Workspace;

/// The picture limit: the largest picture the phones show.
inline constexpr int kMaxPictureWidth = 240;
inline constexpr int kMaxPictureHeight = 320;

/// Reads a BMP, GIF, JPEG or PNG file, recognised by its first bytes, into
/// DecodedPicture and shows it with its size and colour bits as the caption.
/// A PNG goes through the converter and is read as the bitmap it writes. A
/// picture over 240 x 320, a file of no known kind, or one that cannot be
/// decoded is refused with a message and leaves DecodedPicture as it was.
/// Returns whether DecodedPicture now holds the file's picture. The
/// converter's bitmap is gone when the call returns.
bool OpenPictureFile(Workspace& ws, Ui& ui, const std::string& path);

/// The converter test made before every use: when the file that `nConvert`
/// names cannot be read, `str_fnExi` "!" titled "nConvert" and false.
bool ConverterAvailable(const Workspace& ws, Ui& ui);

/// A converter file (PNGtemp.bmp, PNGtemp.png) in the temporary folder.
[[nodiscard]] std::string ConverterTempPath(const Workspace& ws, std::string_view name);

/// The converter left no usable output: a message titled "nConvert".
void ShowConverterFailed(const Workspace& ws, Ui& ui, const std::string& path);

/// Deletes a file when it goes out of scope, however the command ends.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] const std::string& path() const { return m_path; }
    /// Deletes a stale copy now; false when one is there and cannot go.
    [[nodiscard]] bool clear() const;

  private:
    std::string m_path;
};
