// The independent peer must be there: a missing tool fails here, loudly, instead
// of the peer tests passing without a peer.

#include <gtest/gtest.h>

#include <unistd.h>

#include "child_process.h"

namespace telvor {
namespace {

TEST(PeerTools, Python3PymodbusAndSocatAreInstalled) {
    ASSERT_EQ(access(testing::kPython, X_OK), 0) << testing::kPython << " is missing: run scripts/install-deps.sh";
    ASSERT_EQ(access("/usr/bin/socat", X_OK), 0) << "socat is missing: run scripts/install-deps.sh";
    std::string output;
    ASSERT_TRUE(testing::RunWithInput({testing::kPython, "-c", "import pymodbus, serial; print(pymodbus.__version__)"}, "",
                                      output))
        << "python3-pymodbus or python3-serial is missing: run scripts/install-deps.sh";
    EXPECT_EQ(output.substr(0, 2), "3.") << output;
}

}  // namespace
}  // namespace telvor
