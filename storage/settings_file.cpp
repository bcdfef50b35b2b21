#include "storage/settings_file.h"

#include "engine/input_table.h"
#include "storage/atomic_file_write.h"
#include "storage/missing_folders.h"
#include "storage/code_page_1252.h"

namespace brennquist {
namespace {

constexpr std::string_view kFileName = "/akku.dat";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string SettingsFilePath(std::string_view folder) {
    std::string path(folder);
    path += kFileName;
    return path;
}

std::string SettingsFileContent(const InputSet& inputs) {
    std::string content;
    for (const InputEntry& field : kInputs) {
        content += EncodeWindows1252(inputs.*field.text);
        content += kLineEnd;
    }
    return content;
}

std::error_code SaveSettingsFile(const std::string& path, const InputSet& inputs) {
    if (const std::error_code error = CreateMissingFoldersFor(path)) {
        return error;
    }
    return SaveFileContent(path, SettingsFileContent(inputs));
}

SettingsLineReader OpenSettingsFile(const std::string& path) {
    return SettingsLineReader::Open(path);
}

}  // namespace brennquist
