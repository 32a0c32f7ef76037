#pragma once
// A folder of one pictavo-cli run's own inside the temporary folder, for its
// staging and converter files: runs side by side must not take each other's
// files. Removed with its content when the run ends. Runs that write no such
// file make none: on a journaled file system making and removing a folder
// costs more than the rest of a short command.

#include <cstdlib>

#include <filesystem>
#include <string>

#include "support/fs_actions.h"

class PrivateTempFolder {
  public:
    explicit PrivateTempFolder(bool make) {
        if (!make) return;
        std::string pattern =
            FSactions_Tavik::JoinPath(FSactions_Tavik::TempFolder(), "pictavo-cli-XXXXXX");
        if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~PrivateTempFolder() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;
    /// Empty when the folder was not made or could not be made.
    [[nodiscard]] const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};
