#pragma once
// Which program opens GPF and GPF2 files, on a freedesktop.org desktop: the
// shared MIME database gives an extension its type, mimeapps.list names the
// type's default application, and that application's desktop entry holds the
// command line. Writing an association writes the same three pieces under the
// user's own folders.

#include <string>

#include "config/xdg_folders.h"

/// The association of one extension with a file type and its handler.
class CFileAssociation {
  public:
    explicit CFileAssociation(ConfigActions::XdgFolders folders) : m_xdg(std::move(folders)) {}

    std::string strExt;             ///< ".gpf"
    std::string strAppID;           ///< the file type, "gpffile"
    std::string strOpenCommand;     ///< command of the "open" verb
    std::string strFileType;        ///< description of the file type
    std::string strIcon;            ///< icon file or theme icon name
    std::string strNewFileType;     ///< "Command", "NullFile" or "FileName"
    std::string strNewFileCommand;  ///< value of the new-file entry
    std::string strExePath;         ///< the program; its icon when strIcon is empty

    /// Writes the MIME package (type, description, the extension's pattern),
    /// makes the handler the type's default and sets its "open" verb and icon.
    /// Returns 1 and writes nothing when strExt or strAppID is empty, else 0.
    int CreateAssociation();

    /// Gives the handler the verb `strText` with the command `strCommand`:
    /// "open" is the desktop entry's own command, other verbs become actions.
    void CreateContextMenuItem(const std::string& strText, const std::string& strCommand);

    /// The MIME type that stands for strAppID.
    [[nodiscard]] std::string mimeType() const { return "application/x-" + strAppID; }
    /// The desktop entry that handles the type.
    [[nodiscard]] std::string desktopId() const { return "pictavo-" + strAppID + ".desktop"; }

  private:
    void writeDesktopValue(const std::string& group, const std::string& key,
                           const std::string& value) const;

    ConfigActions::XdgFolders m_xdg;
};

namespace ConfigActions {

/// The command line that opens a file with the program at `programPath`, as a
/// desktop entry's Exec line holds it: the path, quoted when it needs it, and
/// the file.
[[nodiscard]] std::string OpenCommand(const std::string& programPath);

/// The command line registered for files ending in `ext`. Never fails: when
/// the extension has no MIME type the result is "Unregistered file extension "
/// followed by `ext`; when the type has no default application with a
/// command, "File type is not associated with a program."
[[nodiscard]] std::string GetAssociatedCommand(const std::string& ext, const XdgFolders& xdg);

/// Registers the program at `programPath` as the handler of `ext`, files of
/// the type "gpffile" described by `description`.
void RegisterExtension(const std::string& ext, const std::string& description,
                       const std::string& programPath, const std::string& icon,
                       const XdgFolders& xdg);

}  // namespace ConfigActions
