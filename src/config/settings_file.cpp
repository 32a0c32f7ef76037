#include "config/settings_file.h"

#include "config/config_lines.h"

namespace ConfigActions {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::array<std::string_view, 3> kRecentKeys{"MRU1", "MRU2", "MRU3"};

struct SwitchKey {
    std::string_view key;
    bool SettingsValues::*value;
    std::optional<bool> SettingsFound::*found;
};

// In the order the file is written and its lines are tested.
constexpr std::array kSwitches{
    SwitchKey{"Transparency", &SettingsValues::Transparency, &SettingsFound::Transparency},
    SwitchKey{"CompressGPF", &SettingsValues::CompressGPF, &SettingsFound::CompressGPF},
    SwitchKey{"DefaultGPF2", &SettingsValues::DefaultGPF2, &SettingsFound::DefaultGPF2},
    SwitchKey{"ZeroFilename", &SettingsValues::ZeroFilename, &SettingsFound::ZeroFilename},
    SwitchKey{"HEXFilename", &SettingsValues::HEXFilename, &SettingsFound::HEXFilename},
};

void appendLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append(kLineEnd);
}

}  // namespace

SettingsFound ReadSettings(std::string_view bytes) {
    SettingsFound found;
    for (std::string_view line : SplitLines(bytes)) {
        if (const auto value = KeyValue(line, "nConvert")) found.nConvert = std::string(*value);
        if (const auto value = KeyValue(line, "Language")) found.Language = std::string(*value);
        for (const SwitchKey& entry : kSwitches) {
            if (KeyValue(line, entry.key)) found.*entry.found = line.ends_with("true");
        }
        if (KeyValue(line, kAskFileAssociationKey)) {
            found.AskFileAssociation = line.ends_with("true");
        }
        if (KeyValue(line, kPngAlphaKey)) found.PngAlpha = line.ends_with("true");
        for (std::size_t slot = 0; slot < kRecentKeys.size(); ++slot) {
            if (const auto value = KeyValue(line, kRecentKeys[slot])) {
                found.recent[slot] = std::string(*value);
            }
        }
    }
    return found;
}

std::string SettingsFileText(const SettingsValues& values, const RecentFiles& recent) {
    std::string out;
    appendLine(out, "nConvert", values.nConvert);
    appendLine(out, "Language", values.Language);
    for (const SwitchKey& entry : kSwitches) {
        appendLine(out, entry.key, values.*entry.value ? "true" : "false");
    }
    if (!values.AskFileAssociation) appendLine(out, kAskFileAssociationKey, "false");
    if (values.PngAlpha) appendLine(out, kPngAlphaKey, "true");
    return out + RecentFileLines(recent);
}

std::string RecentFileLines(const RecentFiles& recent) {
    std::string out;
    for (std::size_t slot = 0; slot < recent.size(); ++slot) {
        if (recent[slot].shown) appendLine(out, kRecentKeys[slot], recent[slot].caption);
    }
    return out;
}

}  // namespace ConfigActions
