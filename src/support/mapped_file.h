#pragma once
// A file mapped read-only into memory. The fullflash is opened this way so the
// program can never write to it and so a 96 MiB image costs no copy. A browser
// maps no files: the web build's open (web/core/mapped_file_read.cpp) reads
// the file whole into memory of its own instead, which the bytes then point to.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class MappedFile {
  public:
    /// Maps `path` for reading; nullptr when it cannot be opened, is not a
    /// regular file, or cannot be mapped. An empty file maps to no bytes.
    [[nodiscard]] static std::unique_ptr<MappedFile> open(const std::string& path);

    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return {m_data, m_size}; }
    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] const std::string& path() const { return m_path; }

  private:
    MappedFile(std::string path, const std::uint8_t* data, std::size_t size)
        : m_path(std::move(path)), m_data(data), m_size(size) {}

    std::string m_path;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};
