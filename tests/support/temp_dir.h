#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh directory of its own under the system's temporary directory, removed with its
// contents at the end of the scope. path() is empty when the directory could not be made.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sorell-test-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }

    const std::string& path() const { return path_; }
    // The directory with a trailing '/', the form a database path takes.
    std::string prefix() const { return path_ + "/"; }
    // The path of name inside the directory.
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes a file of the directory with exactly the given bytes.
    void write(const std::string& name, const std::string& bytes) const;
    // The bytes of a file of the directory; empty when it cannot be read.
    std::string read(const std::string& name) const;

  private:
    std::string path_;
};

// The bytes of a file; empty when it cannot be read.
inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces a file by exactly the given bytes.
inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void TempDir::write(const std::string& name, const std::string& bytes) const {
    writeBytes(file(name), bytes);
}
inline std::string TempDir::read(const std::string& name) const {
    return readBytes(file(name));
}
