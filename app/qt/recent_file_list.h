#pragma once
// The four most recently opened or saved files, kept with QSettings under the
// organisation "Zek" and the application "Telvor".

#include <QString>
#include <QStringList>

namespace telvor {

class RecentFileList {
public:
    QStringList Files() const;
    // Puts the file first; the list keeps at most four entries.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store(const QStringList& files) const;
};

}  // namespace telvor
