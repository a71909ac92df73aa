#include "block_read_setting.h"

#include <QAction>
#include <QSettings>

#include "solvane_app.h"

namespace telvor {

void WireBlockReadAction(QAction& action, CSolvaneApp& app) {
    const bool stored = QSettings("Zek", "Telvor").value(kBlockReadKey, false).toBool();
    app.readOptions.blockRead = stored;
    action.setCheckable(true);
    action.setChecked(stored);
    QObject::connect(&action, &QAction::toggled, &action, [&app](bool on) {
        app.readOptions.blockRead = on;
        QSettings("Zek", "Telvor").setValue(kBlockReadKey, on);
    });
}

}  // namespace telvor
