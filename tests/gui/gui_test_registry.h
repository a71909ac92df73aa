#pragma once
// Every Qt Test class of gui_tests registers itself here; main runs them all.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace telvor::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& TestClasses();

template <typename T>
struct RegisterTest {
    RegisterTest() {
        TestClasses().push_back([] { return std::make_unique<T>(); });
    }
};

}  // namespace telvor::testing
