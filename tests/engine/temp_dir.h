#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A fresh directory under the system's temporary directory, removed with its contents at the
// end of the scope. Decisions in tests point their database directory here, so they never read
// database files from the current directory.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sorell-engine-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) path_ = made;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    // Writes a file of the directory with exactly the given bytes.
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(std::filesystem::path(path_) / name, std::ios::binary);
        out << bytes;
    }

  private:
    std::string path_;
};
