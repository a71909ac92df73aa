#include "line_format_shim.h"

#include <cstdlib>

namespace telvor::testing {

LineFormatShim::LineFormatShim() {
    const char* asan = std::getenv("ASAN_OPTIONS");
    environment_ = {
        {"LD_PRELOAD", TELVOR_LINE_FORMAT_PRELOAD},
        {"TELVOR_LINE_FORMAT_DIR", records_.Path()},
        // A sanitizer build wants its runtime first; the preload comes before it.
        {"ASAN_OPTIONS", std::string(asan ? asan : "") + (asan && *asan ? ":" : "") + "verify_asan_link_order=0"},
    };
    for (const auto& [name, value] : environment_) {
        const char* before = std::getenv(name.c_str());
        saved_[name] = before ? std::optional<std::string>(before) : std::nullopt;
        setenv(name.c_str(), value.c_str(), 1);
    }
}

LineFormatShim::~LineFormatShim() {
    for (const auto& [name, value] : saved_) {
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }
}

}  // namespace telvor::testing
