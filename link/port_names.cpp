#include <string>

#include "serial_port.h"

namespace telvor {
namespace {

// n of "COMn" (n >= 1), or 0 when the name is not of that form.
int ComNumber(std::string_view name) {
    if (name.size() < 4 || name.size() > 6 || name.substr(0, 3) != "COM") return 0;
    int n = 0;
    for (char c : name.substr(3)) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::string DevicePathOfPort(std::string_view name, const std::filesystem::path& programFolder) {
    if (name.find('/') != std::string_view::npos) return std::string(name);
    const int n = ComNumber(name);
    if (n == 0) return std::string(name);
    if (!programFolder.empty()) {
        const auto link = programFolder / "ports" / std::string(name);
        std::error_code error;
        // A link that points nowhere is still the port's name: opening it then fails
        // plainly instead of reaching some other device.
        if (std::filesystem::exists(std::filesystem::symlink_status(link, error))) return link.string();
    }
    return "/dev/ttyS" + std::to_string(n - 1);
}

}  // namespace telvor
