#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace brennquist::testing {

// The names of everything in a folder, sorted.
inline std::vector<std::string> EntriesOf(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh folder under the system's temporary folder, removed with its content.
class TemporaryFolder {
  public:
    // A name nobody has taken: create_directory reports whether it made the
    // folder or found one there.
    TemporaryFolder() {
        std::random_device random;
        constexpr int kAttempts = 100;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            std::filesystem::path path =
                std::filesystem::temp_directory_path() / ("brennquist-" + std::to_string(random()));
            if (std::filesystem::create_directory(path)) {
                path_ = std::move(path);
                return;
            }
        }
        throw std::filesystem::filesystem_error("no free temporary folder name",
                                                std::make_error_code(std::errc::file_exists));
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    TemporaryFolder(TemporaryFolder&&) = delete;
    TemporaryFolder& operator=(TemporaryFolder&&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

    // The names of everything in the folder, sorted.
    [[nodiscard]] std::vector<std::string> Entries() const { return EntriesOf(path_); }

  private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace brennquist::testing
