#include "config/file_association.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "config/key_file.h"
#include "support/fs_actions.h"

using namespace ConfigActions;

namespace {

constexpr std::string_view kDesktopEntry = "Desktop Entry";
constexpr std::string_view kDefaults = "Default Applications";

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

/// Only characters that keep a file name inside its folder.
std::string fileNamePart(std::string_view text) {
    std::string out;
    for (unsigned char c : text)
        out += std::isalnum(c) != 0 || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    return out;
}

std::string xmlEscaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

/// Whether a ";"-separated list holds `item`.
bool listHas(std::string_view list, std::string_view item) {
    while (!list.empty()) {
        const std::size_t semicolon = list.find(';');
        if (list.substr(0, semicolon) == item) return true;
        if (semicolon == std::string_view::npos) break;
        list.remove_prefix(semicolon + 1);
    }
    return false;
}

std::string readText(const std::string& path) {
    return FSactions_Tavik::ReadFileBytes(path).value_or(std::string());
}

bool writeText(const std::string& path, std::string_view text) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return FSactions_Tavik::ReplaceFile(path, text);
}

/// The MIME type the database gives files ending in `ext`: the heaviest glob
/// of the first folder that knows the extension.
std::optional<std::string> mimeTypeOf(const std::string& ext, const XdgFolders& xdg) {
    std::vector<std::string> folders{xdg.dataHome};
    folders.insert(folders.end(), xdg.dataDirs.begin(), xdg.dataDirs.end());
    const std::string pattern = "*" + ext;
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        std::optional<std::string> best;
        long bestWeight = -1;
        const std::string globs = readText(folder + "/mime/globs2");
        std::string_view rest = globs;
        while (!rest.empty()) {
            const std::size_t feed = rest.find('\n');
            const std::string_view line = rest.substr(0, feed);
            rest = feed == std::string_view::npos ? std::string_view() : rest.substr(feed + 1);
            if (line.empty() || line.front() == '#') continue;
            // weight:type:pattern[:flags]
            const std::size_t first = line.find(':');
            const std::size_t second = line.find(':', first + 1);
            if (first == std::string_view::npos || second == std::string_view::npos) continue;
            const std::size_t third = line.find(':', second + 1);
            const std::string_view glob = line.substr(second + 1, third - second - 1);
            const std::string_view flags =
                third == std::string_view::npos ? "" : line.substr(third + 1);
            const bool matches = flags.find("cs") != std::string_view::npos
                                     ? glob == pattern
                                     : lowered(glob) == lowered(pattern);
            const long weight =
                std::strtol(std::string(line.substr(0, first)).c_str(), nullptr, 10);
            if (matches && weight > bestWeight) {
                best = std::string(line.substr(first + 1, second - first - 1));
                bestWeight = weight;
            }
        }
        if (best) return best;
    }
    return std::nullopt;
}

/// mimeapps.list files in the order they are consulted.
std::vector<std::string> mimeappsLists(const XdgFolders& xdg) {
    std::vector<std::string> folders{xdg.configHome};
    folders.insert(folders.end(), xdg.configDirs.begin(), xdg.configDirs.end());
    folders.push_back(xdg.dataHome.empty() ? "" : xdg.dataHome + "/applications");
    for (const std::string& folder : xdg.dataDirs) folders.push_back(folder + "/applications");
    std::vector<std::string> lists;
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        for (const std::string& desktop : xdg.desktops)
            lists.push_back(folder + "/" + desktop + "-mimeapps.list");
        lists.push_back(folder + "/mimeapps.list");
    }
    return lists;
}

std::optional<std::string> desktopEntryPath(const std::string& id, const XdgFolders& xdg) {
    if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
    std::vector<std::string> folders{xdg.dataHome};
    folders.insert(folders.end(), xdg.dataDirs.begin(), xdg.dataDirs.end());
    for (const std::string& folder : folders) {
        const std::string path = folder + "/applications/" + id;
        if (!folder.empty() && !FSactions_Tavik::FileMissing(path)) return path;
    }
    return std::nullopt;
}

/// The command of the type's default application.
std::optional<std::string> defaultCommand(const std::string& type, const XdgFolders& xdg) {
    for (const std::string& list : mimeappsLists(xdg)) {
        const auto ids = KeyFileValue(readText(list), kDefaults, type);
        if (!ids) continue;
        std::string_view rest = *ids;
        while (!rest.empty()) {
            const std::size_t semicolon = rest.find(';');
            const std::string id(rest.substr(0, semicolon));
            rest = semicolon == std::string_view::npos ? std::string_view()
                                                       : rest.substr(semicolon + 1);
            const auto entry = desktopEntryPath(id, xdg);
            if (!entry) continue;
            if (const auto exec = KeyFileValue(readText(*entry), kDesktopEntry, "Exec")) {
                return UnescapeKeyFileString(*exec);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

int CFileAssociation::CreateAssociation() {
    if (strExt.empty() || strAppID.empty()) return 1;
    if (m_xdg.dataHome.empty() || m_xdg.configHome.empty()) return 0;

    // One package per extension: the database merges the patterns of a type.
    std::string package =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        xmlEscaped(mimeType()) + "\">\n";
    if (!strFileType.empty()) package += "    <comment>" + xmlEscaped(strFileType) + "</comment>\n";
    package +=
        "    <glob pattern=\"*" + xmlEscaped(strExt) + "\"/>\n  </mime-type>\n</mime-info>\n";
    const std::string mimeFolder = m_xdg.dataHome + "/mime";
    writeText(mimeFolder + "/packages/pictavo-" + fileNamePart(strAppID) + "-" +
                  fileNamePart(strExt.substr(1)) + ".xml",
              package);

    const std::string mimeapps = m_xdg.configHome + "/mimeapps.list";
    writeText(mimeapps,
              WithKeyFileValue(readText(mimeapps), kDefaults, mimeType(), desktopId() + ";"));

    // A new-file entry has no counterpart here: file managers offer templates
    // from the user's Templates folder, which is the user's to fill.
    CreateContextMenuItem("open", strOpenCommand);
    if (!strIcon.empty() || !strExePath.empty()) {
        writeDesktopValue(std::string(kDesktopEntry), "Icon",
                          strIcon.empty() ? strExePath : strIcon);
    }
    FSactions_Tavik::RunAndWait("update-mime-database \"" + mimeFolder + "\"");
    return 0;
}

void CFileAssociation::CreateContextMenuItem(const std::string& strText,
                                             const std::string& strCommand) {
    if (strText == "open") {
        writeDesktopValue(std::string(kDesktopEntry), "Exec", EscapeKeyFileString(strCommand));
        return;
    }
    const std::string action = fileNamePart(strText);
    const std::string group = "Desktop Action " + action;
    writeDesktopValue(group, "Name", EscapeKeyFileString(strText));
    writeDesktopValue(group, "Exec", EscapeKeyFileString(strCommand));
    const std::string path = m_xdg.dataHome + "/applications/" + desktopId();
    const std::string actions = KeyFileValue(readText(path), kDesktopEntry, "Actions").value_or("");
    if (!listHas(actions, action)) {
        writeDesktopValue(std::string(kDesktopEntry), "Actions", actions + action + ";");
    }
}

void CFileAssociation::writeDesktopValue(const std::string& group, const std::string& key,
                                         const std::string& value) {
    if (m_xdg.dataHome.empty()) return;
    const std::string path = m_xdg.dataHome + "/applications/" + desktopId();
    std::string entry = readText(path);
    if (entry.empty()) {
        entry = "[Desktop Entry]\nType=Application\nName=Pictavo\nNoDisplay=true\nMimeType=" +
                mimeType() + ";\n";
    }
    writeText(path, WithKeyFileValue(entry, group, key, value));
}

namespace ConfigActions {

std::string OpenCommand(const std::string& programPath) {
    // Exec lines quote an argument with reserved characters; inside the quotes
    // a backslash goes before ", `, $ and \. A % is doubled everywhere.
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string program;
    for (char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') program += '\\';
        program += c;
        if (c == '%') program += '%';
    }
    if (programPath.find_first_of(kReserved) != std::string::npos) program = "\"" + program + "\"";
    return program + " %f";
}

std::string GetAssociatedCommand(const std::string& ext, const XdgFolders& xdg) {
    const auto type = mimeTypeOf(ext, xdg);
    if (!type) return "Unregistered file extension " + ext;
    return defaultCommand(*type, xdg).value_or("File type is not associated with a program.");
}

void RegisterExtension(const std::string& ext, const std::string& description,
                       const std::string& programPath, const std::string& icon,
                       const XdgFolders& xdg) {
    CFileAssociation association(xdg);
    association.strExt = ext;
    association.strAppID = "gpffile";
    association.strExePath = programPath;
    association.strOpenCommand = "open";
    association.strFileType = description;
    association.strIcon = icon;
    association.strNewFileType = "NullFile";
    association.CreateAssociation();
    association.CreateContextMenuItem("open", OpenCommand(programPath));
}

}  // namespace ConfigActions
