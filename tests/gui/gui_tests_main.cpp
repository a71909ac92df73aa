// Runs every registered test class on Qt's offscreen platform, with the
// program's recent-file list and settings kept in a folder of their own.

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <cstring>

#include "gui_test_registry.h"
#include "sim_line.h"

namespace telvor::testing {

std::vector<TestFactory>& TestClasses() {
    static std::vector<TestFactory> classes;
    return classes;
}

}  // namespace telvor::testing

// GUI_TEST_CLASS=ShellTest runs only the classes whose names contain the text;
// the arguments (test functions, -v2) then go to those classes.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string config = telvor::testing::MakeTempFolder();
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    QApplication application(argc, argv);
    const char* only = std::getenv("GUI_TEST_CLASS");
    QApplication::setWheelScrollLines(3);
    int failures = 0;
    for (const auto& make : telvor::testing::TestClasses()) {
        std::unique_ptr<QObject> test = make();
        if (only && !std::strstr(test->metaObject()->className(), only)) continue;
        failures += QTest::qExec(test.get(), argc, argv);
    }
    telvor::testing::RemoveFolder(config);
    return failures == 0 ? 0 : 1;
}
