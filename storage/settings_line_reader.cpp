#include "storage/settings_line_reader.h"

#include <algorithm>
#include <array>
#include <span>

#include "storage/ansi_code_page.h"

namespace brennquist {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr std::size_t kReadPiece = 4096;

}  // namespace

SettingsLineReader SettingsLineReader::FromBytes(std::string_view bytes) {
    SettingsLineReader reader;
    reader.buffer_.assign(bytes);
    reader.atEnd_ = true;
    return reader;
}

SettingsLineReader SettingsLineReader::Open(const std::filesystem::path& path,
                                            std::size_t mostBytes) {
    SettingsLineReader reader;
    reader.file_ = OpenRegularFileForReading(path);
    reader.failed_ = !reader.file_.IsOpen();
    reader.unread_ = mostBytes;
    return reader;
}

std::optional<std::string> SettingsLineReader::NextLine() {
    // Drop what earlier lines used, so a long file never piles up in memory.
    buffer_.erase(0, position_);
    position_ = 0;
    std::size_t searchFrom = 0;
    while (!failed_) {
        const std::size_t cr = buffer_.find(kCarriageReturn, searchFrom);
        if (cr != std::string::npos) {
            const bool nextByteKnown = cr + 1 < buffer_.size();
            if (nextByteKnown || atEnd_) {
                const bool crlf = nextByteKnown && buffer_[cr + 1] == kLineFeed;
                return TakeLine(cr, crlf ? cr + 2 : cr + 1);
            }
            searchFrom = cr;  // a LF may still follow this CR
        } else if (atEnd_) {
            if (buffer_.empty()) {
                return std::nullopt;  // end of file
            }
            return TakeLine(buffer_.size(), buffer_.size());
        } else {
            searchFrom = buffer_.size();
        }
        ReadMore();
    }
    return std::nullopt;
}

void SettingsLineReader::ReadMore() {
    std::array<char, kReadPiece> piece{};
    std::size_t count = 0;
    if (unread_ == 0 ||
        ReadSome(file_, std::span<char>(piece).first(std::min(kReadPiece, unread_)), count)) {
        failed_ = true;
        file_.Close();
        return;
    }
    if (count == 0) {
        atEnd_ = true;
        file_.Close();
        return;
    }
    unread_ -= count;
    buffer_.append(piece.data(), count);
}

std::string SettingsLineReader::TakeLine(std::size_t valueEnd, std::size_t lineEnd) {
    std::string line = DecodeAnsiCodePage(std::string_view(buffer_).substr(0, valueEnd));
    position_ = lineEnd;
    return line;
}

}  // namespace brennquist
