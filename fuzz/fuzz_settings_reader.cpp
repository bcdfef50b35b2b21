// Arbitrary bytes as the content of akku.dat: read as the window reads it, then
// checked against the bytes, and saved and read again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/code_page_1252.h"
#include "storage/settings_file.h"
#include "storage/settings_line_reader.h"

namespace {

constexpr std::size_t kLines = 9;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::string> ReadLines(brennquist::SettingsLineReader reader) {
    std::vector<std::string> lines;
    while (lines.size() < kLines) {
        std::optional<std::string> line = reader.NextLine();
        if (!line) {
            break;
        }
        lines.push_back(*line);
    }
    return lines;
}

// Each line, written back in the code page, is exactly the bytes it came from,
// followed by CR, CR LF or the end of the content.
void CheckAgainstBytes(const std::vector<std::string>& lines, std::string_view bytes) {
    for (const std::string& line : lines) {
        const std::string encoded = brennquist::EncodeWindows1252(line);
        Check(bytes.substr(0, encoded.size()) == encoded);
        bytes.remove_prefix(encoded.size());
        Check(bytes.empty() || bytes.front() == '\r');
        const std::size_t lineEnd = bytes.substr(0, 2) == "\r\n" ? 2 : (bytes.empty() ? 0 : 1);
        bytes.remove_prefix(lineEnd);
    }
    Check(lines.size() == kLines || bytes.empty());
}

// A full set of lines holds no CR, so saving it and reading again gives it back.
void CheckRoundTrip(const std::vector<std::string>& lines) {
    if (lines.size() != kLines) {
        return;
    }
    const brennquist::InputSet inputs{lines[0], lines[1], lines[2], lines[3], lines[4],
                                      lines[5], lines[6], lines[7], lines[8]};
    const std::string content = brennquist::SettingsFileContent(inputs);
    Check(ReadLines(brennquist::SettingsLineReader::FromBytes(content)) == lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines =
        ReadLines(brennquist::SettingsLineReader::FromBytes(bytes));
    CheckAgainstBytes(lines, bytes);
    CheckRoundTrip(lines);
    // The same bytes taken as (possibly broken) UTF-8 text never grow.
    Check(brennquist::EncodeWindows1252(bytes).size() <= bytes.size());
    return 0;
}
