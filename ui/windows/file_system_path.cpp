#include "ui/file_system_path.h"

namespace brennquist {

std::filesystem::path FileSystemPath(const QString& path) {
    return path.toStdWString();
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdWString(path.wstring());
}

}  // namespace brennquist
