#pragma once
// The handheld's Changed only view (run by handheld_tests' main).

#include <QObject>

namespace telvor::testing {

class HandheldChangedOnlyTest : public QObject {
    Q_OBJECT
private slots:
    void theViewMenuAndToolbarShowOnlyTheChangedRows();
};

}  // namespace telvor::testing
