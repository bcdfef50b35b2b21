#include "storage/settings_file.h"

#include "engine/input_table.h"
#include "storage/ansi_code_page.h"
#include "storage/atomic_file_write.h"
#include "storage/missing_folders.h"
#include "storage/settings_file_size.h"

namespace brennquist {
namespace {

constexpr std::string_view kFileName = "akku.dat";
constexpr std::string_view kLineEnd = "\r\n";

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
    return SettingsLineReader::Open(path, kMostSettingsFileBytes);
}

}  // namespace brennquist
