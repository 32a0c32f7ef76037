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
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> items;
    while (!text.empty()) {
        const std::size_t at = text.find(separator);
        items.push_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
    return items;
}

bool listHas(std::string_view list, std::string_view item) {
    const auto items = split(list, ';');
    return std::find(items.begin(), items.end(), item) != items.end();
}

std::string readText(const std::string& path) {
    return FSactions_Tavik::ReadFileBytes(path).value_or(std::string());
}

bool writeText(const std::string& path, std::string_view text) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return FSactions_Tavik::ReplaceFile(path, text);
}

std::vector<std::string> dataFolders(const XdgFolders& xdg) {
    std::vector<std::string> folders;
    if (!xdg.dataHome.empty()) folders.push_back(xdg.dataHome);
    folders.insert(folders.end(), xdg.dataDirs.begin(), xdg.dataDirs.end());
    return folders;
}

/// One line of the database's globs2 file: weight:type:pattern[:flags].
struct Glob {
    long weight;
    std::string_view type;
    std::string_view pattern;
    bool caseSensitive;
};

std::optional<Glob> parseGlob(std::string_view line) {
    if (line.empty() || line.front() == '#') return std::nullopt;
    const auto fields = split(line, ':');
    if (fields.size() < 3) return std::nullopt;
    const bool caseSensitive = fields.size() > 3 && fields[3].find("cs") != std::string_view::npos;
    return Glob{std::strtol(std::string(fields[0]).c_str(), nullptr, 10), fields[1], fields[2],
                caseSensitive};
}

/// The MIME type the database gives files ending in `ext`: the heaviest glob
/// of the first folder that knows the extension.
std::optional<std::string> mimeTypeOf(const std::string& ext, const XdgFolders& xdg) {
    const std::string pattern = "*" + ext;
    for (const std::string& folder : dataFolders(xdg)) {
        const std::string globs = readText(folder + "/mime/globs2");
        std::optional<Glob> best;
        for (std::string_view line : split(globs, '\n')) {
            const auto glob = parseGlob(line);
            if (!glob || (best && glob->weight <= best->weight)) continue;
            const bool matches = glob->caseSensitive ? glob->pattern == pattern
                                                     : lowered(glob->pattern) == lowered(pattern);
            if (matches) best = glob;
        }
        if (best) return std::string(best->type);
    }
    return std::nullopt;
}

/// mimeapps.list files in the order they are consulted.
std::vector<std::string> mimeappsLists(const XdgFolders& xdg) {
    std::vector<std::string> folders{xdg.configHome};
    folders.insert(folders.end(), xdg.configDirs.begin(), xdg.configDirs.end());
    for (const std::string& folder : dataFolders(xdg)) folders.push_back(folder + "/applications");
    std::vector<std::string> lists;
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        for (const std::string& desktop : xdg.desktops)
            lists.push_back((folder + "/").append(desktop).append("-mimeapps.list"));
        lists.push_back(folder + "/mimeapps.list");
    }
    return lists;
}

std::optional<std::string> desktopEntryPath(const std::string& id, const XdgFolders& xdg) {
    if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
    for (const std::string& folder : dataFolders(xdg)) {
        const std::string path = (folder + "/applications/").append(id);
        if (!FSactions_Tavik::FileMissing(path)) return path;
    }
    return std::nullopt;
}

/// The command of the type's default application.
std::optional<std::string> defaultCommand(const std::string& type, const XdgFolders& xdg) {
    for (const std::string& list : mimeappsLists(xdg)) {
        const auto ids = KeyFileValue(readText(list), kDefaults, type);
        if (!ids) continue;
        for (std::string_view id : split(*ids, ';')) {
            const auto entry = desktopEntryPath(std::string(id), xdg);
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
                                         const std::string& value) const {
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
