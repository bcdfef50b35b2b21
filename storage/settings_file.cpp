#include "storage/settings_file.h"

#include "engine/input_table.h"
#include "storage/ansi_code_page.h"
#include "storage/atomic_file_write.h"
#include "storage/missing_folders.h"

namespace brennquist {
namespace {

constexpr std::string_view kFileName = "akku.dat";
constexpr std::string_view kLineEnd = "\r\n";
// The nine lines the program writes are short texts, 55 bytes for the start
// values; even texts pasted into every field stay far below this. A file that
// needs more to give its nine lines is no settings file (another file copied in
// its place, a sparse file without a line end): read whole, it would stall the
// start and fill the memory, so it counts as unreadable instead.
constexpr std::size_t kMostBytes = std::size_t{64} * 1024;

}  // namespace

std::filesystem::path SettingsFilePath(const std::filesystem::path& folder) {
    std::filesystem::path path = folder / kFileName;
    return path.make_preferred();
}

std::string SettingsFileContent(const InputSet& inputs) {
    std::string content;
    for (const InputEntry& field : kInputs) {
        content += EncodeAnsiCodePage(inputs.*field.text);
        content += kLineEnd;
    }
    return content;
}

std::error_code SaveSettingsFile(const std::filesystem::path& path, const InputSet& inputs) {
    if (const std::error_code error = CreateMissingFoldersFor(path)) {
        return error;
    }
    return SaveFileContent(path, SettingsFileContent(inputs));
}

SettingsLineReader OpenSettingsFile(const std::filesystem::path& path) {
    return SettingsLineReader::Open(path, kMostBytes);
}

}  // namespace brennquist
