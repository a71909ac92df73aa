// The independent peer must be there: a missing tool fails here, loudly, naming its
// Debian package, while the tests that need the peer are skipped.

#include <gtest/gtest.h>

#include "child_process.h"

namespace telvor {
namespace {

TEST(PeerTools, Python3PymodbusSocatAndEveryModuleThePeerImportsAreInstalled) {
    EXPECT_EQ(testing::PeerMissing(), "") << "run scripts/install-deps.sh";
    std::string output;
    ASSERT_TRUE(testing::RunWithInput({testing::kPython, "-c", "import pymodbus; print(pymodbus.__version__)"}, "",
                                      output));
    EXPECT_EQ(output.substr(0, 2), "3.") << output;
}

}  // namespace
}  // namespace telvor
