#include "storage/windows/file_handle.h"

#include <algorithm>
#include <array>
#include <utility>

#include "storage/windows/wide_path.h"
#include "storage/windows/win32_calls.h"

namespace brennquist {
namespace {

constexpr DWORD kMostPerWrite = 1U << 30U;
constexpr DWORD kReadPiece = 4096;

}  // namespace

std::error_code WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kMostPerWrite));
        DWORD written = 0;
        if (Win32().writeFile(file, bytes.data(), piece, &written, nullptr) == 0) {
            return LastWindowsError();
        }
        if (written == 0) {
            return std::make_error_code(std::errc::no_space_on_device);
        }
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code ReadAtMost(HANDLE file, std::size_t most, std::optional<std::string>& bytes) {
    std::array<char, kReadPiece> piece{};
    std::string read;
    for (;;) {
        DWORD count = 0;
        if (::ReadFile(file, piece.data(), kReadPiece, &count, nullptr) == 0) {
            return LastWindowsError();
        }
        if (count == 0) {
            bytes = std::move(read);
            return {};
        }
        if (read.size() + count > most) {
            bytes.reset();
            return {};
        }
        read.append(piece.data(), count);
    }
}

}  // namespace brennquist
