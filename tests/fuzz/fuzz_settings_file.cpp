// Feeds arbitrary bytes to the settings reader and checks that the list stays
// within its capacity and that what is written reads back the same.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "program_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const telvor::ProgramSettings settings = telvor::ParseSettingsText(text);
    if (settings.definite.count < 0 || settings.definite.count > telvor::kDefiniteCapacity) std::abort();
    if (settings.comPort < 1 || settings.comPort > 8) std::abort();
    const std::string written = telvor::SettingsFileText(settings);
    if (telvor::SettingsFileText(telvor::ParseSettingsText(written)) != written) std::abort();
    return 0;
}
