#include "recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

#include "command_table.h"

namespace telvor {
namespace {

constexpr const char* kGroup = "Recent File List";

QString Canonical(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

QStringList RecentFileList::Files() const {
    QSettings settings("Zek", "Telvor");
    settings.beginGroup(kGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QString("File%1").arg(i)).toString();
        if (!file.isEmpty()) files << file;
    }
    return files;
}

void RecentFileList::Add(const QString& path) {
    QStringList files = Files();
    files.removeAll(Canonical(path));
    files.prepend(Canonical(path));
    while (files.size() > kRecentFileCount) files.removeLast();
    Store(files);
}

void RecentFileList::Remove(const QString& path) {
    QStringList files = Files();
    files.removeAll(Canonical(path));
    Store(files);
}

void RecentFileList::Store(const QStringList& files) const {
    QSettings settings("Zek", "Telvor");
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString("File%1").arg(i);
        if (i <= files.size()) settings.setValue(key, files[i - 1]);
        else settings.remove(key);
    }
}

}  // namespace telvor
