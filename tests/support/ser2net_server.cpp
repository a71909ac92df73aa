#include "ser2net_server.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace telvor::testing {
namespace {

// Whether a socket listens on 127.0.0.1:port (in /proc/net/tcp: local address
// 0100007F:PORT in hexadecimal, state 0A). Checked without connecting, since a
// connection would make ser2net open the device.
bool Listening(int port) {
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", static_cast<unsigned>(port));
    std::ifstream table("/proc/net/tcp");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string slot, address, remote, state;
        fields >> slot >> address >> remote >> state;
        if (address == local && state == "0A") return true;
    }
    return false;
}

}  // namespace

int FreeLocalPort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool Ser2netServer::Start(const TempDir& dir, const std::string& device, const std::string& format) {
    rawPort_ = FreeLocalPort();
    rfc2217Port_ = FreeLocalPort();
    while (rfc2217Port_ == rawPort_) rfc2217Port_ = FreeLocalPort();
    const std::string configuration = dir.File("ser2net.yaml");
    std::ofstream yaml(configuration);
    const auto connection = [&](const char* name, const std::string& accepter) {
        yaml << "connection: &" << name << "\n  accepter: " << accepter << "\n  connector: serialdev," << device
             << "," << format << ",local\n  options:\n    chardelay: false\n";
    };
    yaml << "%YAML 1.1\n---\n";
    connection("raw", "tcp,127.0.0.1," + std::to_string(rawPort_));
    connection("rfc2217", "telnet(rfc2217),tcp,127.0.0.1," + std::to_string(rfc2217Port_));
    yaml.close();
    outputFile_ = dir.File("ser2net.out");
    if (!process_.Start({kSer2net, "-n", "-u", "-c", configuration, "-P", dir.File("ser2net.pid")}, outputFile_))
        return false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end && process_.Running()) {
        if (Listening(rawPort_) && Listening(rfc2217Port_)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void Ser2netServer::Kill() {
    if (process_.Pid() > 0) kill(process_.Pid(), SIGKILL);
    process_.Stop();
}

std::string Ser2netServer::Output() const {
    std::ifstream in(outputFile_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace telvor::testing
