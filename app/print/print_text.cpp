#include "print_text.h"

namespace telvor {
namespace {

constexpr std::size_t kLongestDescription = 54;
constexpr std::size_t kCutDescription = 51;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) count += IsContinuationByte(c) ? 0 : 1;
    return count;
}

}  // namespace

std::string FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (characters++ == count) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string CutDescription(std::string_view text) {
    if (CharacterCount(text) <= kLongestDescription) return std::string(text);
    return FirstCharacters(text, kCutDescription) + "...";
}

}  // namespace telvor
