#include "text_encoding.h"

#include <gtest/gtest.h>

namespace telvor {
namespace {

TEST(TextEncoding, Utf8Validity) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"plain ASCII", true},
        {"Gr\xc3\xbc\xc3\x9f"
         "e",
         true},
        {"\xe2\x82\xac", true},       // euro sign
        {"\xf0\x9f\x94\xa7", true},   // four bytes
        {"\xe9", false},              // Latin-1 e acute
        {"\xc3", false},              // cut short
        {"\xc0\xaf", false},          // overlong
        {"\xe0\x80\xaf", false},      // overlong
        {"\xed\xa0\x80", false},      // surrogate
        {"\xf4\x90\x80\x80", false},  // above U+10FFFF
        {"\x80", false},              // continuation without lead
        {"ok\xc3\xbc then \xfc", false},
    };
    for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

TEST(TextEncoding, FileTextsAreUtf8OrLatin1) {
    EXPECT_EQ(TextFromFile("Caf\xe9"), "Caf\xc3\xa9");
    EXPECT_EQ(TextFromFile("Caf\xc3\xa9"), "Caf\xc3\xa9");
    EXPECT_EQ(TextFromFile("\xff\x80"), "\xc3\xbf\xc2\x80");
    EXPECT_EQ(Latin1ToUtf8("A\xa0Z"), "A\xc2\xa0Z");
    EXPECT_EQ(TextForFile("a\r\nb\nc\rd"), "a  b c d");
}

}  // namespace
}  // namespace telvor
