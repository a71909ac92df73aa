#pragma once
// Where a port name leads. The program folder's ports/COMn is a symlink to a device
// (or a pty), or a small text file holding one network address ("tcp://HOST:PORT",
// "rfc2217://HOST:PORT"), so that COM numbers reach network lines too.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace telvor {

// What a port name stands for: "COMn" is <programFolder>/ports/COMn when that exists
// (a symlink to any device or pty: its path; a text file: the address it holds), else
// /dev/ttyS<n-1>; an address, or a name containing "/" (a path), is used as it is.
// Other names are returned unchanged.
std::string DevicePathOfPort(std::string_view name, const std::filesystem::path& programFolder);

struct PortEntry {
    int number = 0;           // n of COMn
    std::string destination;  // the address, the device a symlink names, or the entry's own path
    std::string problem;      // empty, "nothing there" (a symlink to nothing) or "no address in the file"
};

// The program folder's ports/COMn entries, in the order of n.
std::vector<PortEntry> ProgramFolderPorts(const std::filesystem::path& programFolder);

}  // namespace telvor
