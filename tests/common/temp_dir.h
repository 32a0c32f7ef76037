#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.

#include <filesystem>
#include <map>
#include <string>

class TempDir {
  public:
    explicit TempDir(const std::string& prefix = "pictavo-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }
    /// Path of `name` inside the folder, as the byte string the core takes.
    [[nodiscard]] std::string file(const std::string& name) const {
        return (m_path / name).string();
    }
    /// Writes `bytes` to `name` inside the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path m_path;
};

/// The whole content of a file ("" when it cannot be read).
[[nodiscard]] std::string ReadWholeFile(const std::string& path);
/// Name and content of every file in `folder`.
[[nodiscard]] std::map<std::string, std::string> FolderContents(const std::string& folder);
