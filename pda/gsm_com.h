#pragma once
// The handheld's serial line. It opens a port by its "COMn:" name and keeps one read
// thread that takes a reply as soon as the reply's line feed has arrived; bytes without
// a line feed are never taken. The port and the receive state belong to the whole
// program: one port at a time, one request/reply in flight at a time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

namespace telvor {

inline constexpr std::size_t kGsmReceiveBufferSize = 80;
inline constexpr std::chrono::milliseconds kGsmResponseWait{500};
inline constexpr std::chrono::milliseconds kGsmWritePause{2};

class CGSMCom {
public:
    CGSMCom() = default;
    // Closes the port when this object opened it, so that no read thread outlives its owner.
    virtual ~CGSMCom();
    CGSMCom(const CGSMCom&) = delete;
    CGSMCom& operator=(const CGSMCom&) = delete;

    // The line format Open applies: parity 0 none, 1 odd, 2 even; stop bits 0 one, 2 two.
    std::int32_t baudRate = 38400;
    std::int32_t dataBits = 8;
    std::int32_t parity = 0;
    std::int32_t stopBits = 0;

    // Where "COMn:" names are looked up (<folder>/ports/COMn), as on the desktop.
    void SetProgramFolder(std::filesystem::path folder) { programFolder_ = std::move(folder); }

    // 0: open with the read thread running; -1: the port cannot be opened or configured;
    // -2: the read thread cannot be started. A port that is open already is closed first.
    std::int16_t Open(const std::string& name);
    // Ends the read thread, then closes the port. Nothing happens when this object has no port.
    void Close();
    bool IsOpen() const;
    bool CreateReadThread();

    // Pauses 2 ms, throws away whatever has arrived, then writes the request.
    // Nonzero when the whole request went to the port.
    int WriteProc(const char* request, int length);
    // True when a reply arrived within 500 ms.
    bool WaitResponse();
    // Copies the 80-byte receive buffer and the received count; always 1.
    int ReadProc(char* buffer, std::uint32_t* count);
    static void Delay(std::uint32_t milliseconds);

protected:
    // WaitResponse with its own deadline.
    bool WaitResponseUntil(std::chrono::steady_clock::time_point deadline);

private:
    void ReadLoop();

    std::filesystem::path programFolder_;
    std::thread readThread_;
};

}  // namespace telvor
