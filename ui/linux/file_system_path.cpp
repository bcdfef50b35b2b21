#include "ui/file_system_path.h"

#include <QByteArray>
#include <QFile>

namespace brennquist {

std::filesystem::path FileSystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace brennquist
