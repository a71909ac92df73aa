#include "file_folders.h"

#include <QFileInfo>
#include <QSettings>

namespace telvor {
namespace {

constexpr const char* kGroup = "Folders";

}  // namespace

QString FileKind(const std::string& defaultExtension) {
    const QString extension = QString::fromStdString(defaultExtension).toLower();
    return extension == "vx3" || extension == "mvx" ? QString("documents") : extension;
}

QString LastFolder(const QString& kind) {
    QSettings settings("Zek", "Telvor");
    const QString folder = settings.value(QString("%1/%2").arg(kGroup, kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void RememberFolder(const QString& kind, const QString& chosenFile) {
    QSettings settings("Zek", "Telvor");
    settings.setValue(QString("%1/%2").arg(kGroup, kind), QFileInfo(chosenFile).absolutePath());
}

}  // namespace telvor
