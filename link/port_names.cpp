#include "port_names.h"

#include <algorithm>
#include <fstream>

#include "line_address.h"

namespace telvor {
namespace {

namespace fs = std::filesystem;

// An address file is a line or two of text; a larger file is no address file.
constexpr std::uintmax_t kLargestAddressFile = 1024;

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

// The address a text file holds: its first line without surrounding blanks, when that
// is a network address; otherwise nothing.
std::string AddressInFile(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) > kLargestAddressFile || error) return {};
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.back())) line.pop_back();
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    return IsNetworkAddress(line) && ParseLineAddress(line) ? line : std::string{};
}

}  // namespace

std::string DevicePathOfPort(std::string_view name, const fs::path& programFolder) {
    if (name.find('/') != std::string_view::npos) return std::string(name);
    const int n = ComNumber(name);
    if (n == 0) return std::string(name);
    if (!programFolder.empty()) {
        const auto entry = programFolder / "ports" / std::string(name);
        std::error_code error;
        // A link that points nowhere is still the port's name: opening it then fails
        // plainly instead of reaching some other device. So does a file without an address.
        if (fs::exists(fs::symlink_status(entry, error))) {
            const std::string address = AddressInFile(entry);
            return address.empty() ? entry.string() : address;
        }
    }
    return "/dev/ttyS" + std::to_string(n - 1);
}

std::vector<PortEntry> ProgramFolderPorts(const fs::path& programFolder) {
    std::vector<PortEntry> ports;
    if (programFolder.empty()) return ports;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(programFolder / "ports", error)) {
        const std::string name = entry.path().filename().string();
        PortEntry port;
        port.number = ComNumber(name);
        if (port.number == 0) continue;
        port.destination = DevicePathOfPort(name, programFolder);
        std::error_code failed;
        if (!IsNetworkAddress(port.destination)) {
            if (fs::is_symlink(entry.path(), failed)) {
                const fs::path target = fs::read_symlink(entry.path(), failed);
                port.destination = target.is_absolute() ? target : entry.path().parent_path() / target;
                if (!fs::exists(entry.path(), failed)) port.problem = "nothing there";
            } else if (fs::is_regular_file(entry.path(), failed)) {
                port.problem = "no address in the file";
            }
        }
        ports.push_back(port);
    }
    std::sort(ports.begin(), ports.end(), [](const PortEntry& a, const PortEntry& b) { return a.number < b.number; });
    return ports;
}

}  // namespace telvor
