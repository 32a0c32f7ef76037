#pragma once
// Pictavo.ini: the converter path, the language name, five switches and the
// recent files, one "key=value" line each, CR LF line ends. Settings of our
// own follow under keys that neither begin with nor start another key.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ConfigActions {

inline constexpr std::string_view kSettingsFileName = "Pictavo.ini";

/// The settings as the Settings dialog holds them; the defaults are the
/// values a newly created file gets.
struct SettingsValues {
    std::string nConvert;
    std::string Language;
    bool Transparency = true;
    bool CompressGPF = false;
    bool DefaultGPF2 = false;
    bool ZeroFilename = true;
    bool HEXFilename = false;
    /// Whether start-up offers to open GPF and GPF2 files with Pictavo; off
    /// once the user ticked "Do not ask again". Written only when off, so a
    /// new file keeps exactly the seven lines above.
    bool AskFileAssociation = true;
    /// PNG exports write transparent pixels with alpha 0 instead of the
    /// transparency marker's colour. Written only when on.
    bool PngAlpha = false;

    friend bool operator==(const SettingsValues&, const SettingsValues&) = default;
};

inline constexpr std::string_view kAskFileAssociationKey = "AskFileAssociation";
inline constexpr std::string_view kPngAlphaKey = "PngAlpha";

/// One entry of the File menu's recent-files list; in use exactly when shown.
struct RecentFile {
    bool shown = false;
    std::string caption;

    friend bool operator==(const RecentFile&, const RecentFile&) = default;
};
/// Entries 1 (newest) to 3.
using RecentFiles = std::array<RecentFile, 3>;

/// What a configuration file says: each key the last line that named it,
/// nothing for keys it does not name.
struct SettingsFound {
    std::optional<std::string> nConvert;
    std::optional<std::string> Language;
    std::optional<bool> Transparency;
    std::optional<bool> CompressGPF;
    std::optional<bool> DefaultGPF2;
    std::optional<bool> ZeroFilename;
    std::optional<bool> HEXFilename;
    std::optional<bool> AskFileAssociation;
    std::optional<bool> PngAlpha;
    std::array<std::optional<std::string>, 3> recent;  ///< MRU1 to MRU3

    friend bool operator==(const SettingsFound&, const SettingsFound&) = default;
};

/// Reads the lines of a configuration file. A switch is on when its line ends
/// in "true" (with case); lines that begin with no key are ignored.
[[nodiscard]] SettingsFound ReadSettings(std::string_view bytes);

/// The whole file as the Settings dialog writes it: the seven setting lines,
/// the settings of our own that differ from their defaults, then one line per
/// shown recent file.
[[nodiscard]] std::string SettingsFileText(const SettingsValues& values, const RecentFiles& recent);

/// The lines a change of the recent-files list appends: "MRUn=" and the
/// caption for each shown entry, 1 to 3.
[[nodiscard]] std::string RecentFileLines(const RecentFiles& recent);

}  // namespace ConfigActions
