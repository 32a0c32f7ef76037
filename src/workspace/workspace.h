#pragma once
// Everything the main window holds, without a single widget: the loaded
// fullflash, the picture list, the current picture, the texts shown, the
// settings and the state of every control. Commands change it; the front ends
// show it.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/decoded_picture.h"
#include "codec/paint_picture.h"
#include "config/dialog_folders.h"
#include "config/program_files.h"
#include "config/settings_file.h"
#include "fullflash/fullflash_state.h"
#include "fullflash/picture_table.h"
#include "support/fs_actions.h"
#include "support/phrases.h"
#include "workspace/comparison_state.h"
#include "workspace/controls.h"

class PicturePlaces;

class Workspace {
  public:
    Workspace();

    // Fullflash and picture list
    FullflashState flash;
    std::vector<PictureListEntry> rows;
    std::optional<std::size_t> selectedRow;
    /// Grows whenever `rows` is replaced or emptied, so views know a new list
    /// from new marks on the same list.
    std::uint64_t rowsRevision = 0;

    // Preview
    DecodedPicture picture;
    std::string pictureInfo;            ///< caption of PICframe; empty until a picture is shown
    GPFcodec::PaintedImage preview;     ///< what the picture area shows
    std::uint64_t previewRevision = 0;  ///< grows with every DrawPicture
    /// Background of the picture area, which transparent pixels show; the front
    /// end that owns the area sets it.
    std::uint8_t backgroundRed = 255;
    std::uint8_t backgroundGreen = 255;
    std::uint8_t backgroundBlue = 255;
    /// Transparent pixels show a checkerboard instead of the plain background:
    /// the preview keeps the picture's transparency for the front end, which
    /// draws the squares in screen pixels beneath it.
    bool checkerboard = false;
    std::string ffInfo;  ///< text of FFinfol
    /// What the last command that wrote files says it did ("Patch …: 3
    /// pictures, 40 lines"); the status bar shows it until the next one.
    std::string statusNote;

    /// Where every listed picture's data lies and reaches, measured once per
    /// list (for `rowsRevision` `placesRevision`) when a staged row asks.
    std::shared_ptr<const PicturePlaces> places;
    std::uint64_t placesRevision = 0;

    /// FullFlash > Compare with...: the second fullflash, while it is open.
    std::optional<ComparisonState> comparison;

    // Settings, as a freshly created configuration file has them
    std::string nConvert;
    std::string Language;
    bool transparency = true;  ///< TransCheck
    bool cmpGPF = false;
    bool defGPF2 = false;
    bool ZeroFilename = true;
    bool HEXFilename = false;
    /// PNG exports give transparent pixels alpha 0 (a setting of our own).
    bool pngAlpha = false;
    /// The Settings dialog's values, which SaveSettings writes and LoadSettings
    /// fills; the dialog shows them and changes them only by Apply.
    ConfigActions::SettingsValues settingsDialog;
    /// Where each kind of file dialog starts (kept in the settings file).
    ConfigActions::DialogFolders dialogFolders;
    /// Where the settings, the language files and the ReadMe are.
    ConfigActions::ProgramFiles programFiles;

    std::int16_t currentCode = 0;  ///< type code chosen by the last Load/Save-as-GPF entry
    bool unknownFile = false;      ///< set by a GPF header read that failed
    std::uint8_t am = 4;           ///< digit count of picture file names

    std::string applicationFolder;  ///< ends in '/'
    /// Where staging and converter files go. Every front end gets the same
    /// folder, not only the window whose start-up sets it again.
    std::string tempFolder = FSactions_Tavik::TempFolder();

    /// Called with the path of every fullflash that loaded (the recent-files list).
    std::function<void(Workspace&, const std::string&)> fullflashLoaded;

    /// Language text of a `str_` key; empty until a language file sets it.
    [[nodiscard]] const std::string& text(std::string_view key) const;
    void setText(std::string_view key, std::string value);
    /// The words the core puts together, in the loaded language (or in
    /// English when `phrasesInEnglish`).
    [[nodiscard]] PhraseBook phrases() const;
    /// pictavo-cli speaks English in all it puts together itself, so scripts
    /// read the same lines whatever language the window is set to.
    bool phrasesInEnglish = false;
    /// One phrase in the loaded language, with its values filled in.
    [[nodiscard]] std::string say(const Phrase& phrase,
                                  std::initializer_list<std::string_view> values = {}) const {
        return phrases()(phrase, values);
    }

    [[nodiscard]] ControlState& control(std::string_view name);
    [[nodiscard]] const ControlState& control(std::string_view name) const;
    [[nodiscard]] const std::map<std::string, ControlState, std::less<>>& controls() const {
        return m_controls;
    }

    [[nodiscard]] bool isLoaded() const { return flash.file != nullptr; }
    [[nodiscard]] const PictureListEntry* selected() const;

  private:
    std::map<std::string, std::string, std::less<>> m_texts;
    std::map<std::string, ControlState, std::less<>> m_controls;
};
