#pragma once
// The Telnet side of an RFC 2217 line, without sockets: the client's greeting, IAC
// escaping of the data, the COM-PORT-OPTION requests, and the bytes from the server
// taken apart into line data, polite answers to its option requests, and its answers
// to the COM-PORT-OPTION requests.
//
// The client offers COM-PORT-OPTION and binary transmission in both directions and
// takes suppress-go-ahead when offered; every other option is refused once (an echo
// offered by the server in particular: the line's bytes must come back only from the
// drives). A request for a state already in force is not answered, so that no
// negotiation loops.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telvor {

namespace telnet {
inline constexpr unsigned char kIac = 255;
inline constexpr unsigned char kDont = 254;
inline constexpr unsigned char kDo = 253;
inline constexpr unsigned char kWont = 252;
inline constexpr unsigned char kWill = 251;
inline constexpr unsigned char kSb = 250;
inline constexpr unsigned char kSe = 240;
inline constexpr unsigned char kBinary = 0;
inline constexpr unsigned char kEcho = 1;
inline constexpr unsigned char kSuppressGoAhead = 3;
inline constexpr unsigned char kComPortOption = 44;
// The server answers a command with its code plus this.
inline constexpr unsigned char kServerAnswerOffset = 100;
}  // namespace telnet

// RFC 2217 commands from the client.
enum class ComPortCommand : unsigned char {
    SetBaudRate = 1,  // four bytes, most significant first
    SetDataSize = 2,  // 5..8
    SetParity = 3,    // 1 none, 2 odd, 3 even
    SetStopSize = 4,  // 1 one, 2 two
    SetControl = 5,   // 1 no flow control, 2 XON/XOFF, 8/9 DTR on/off, 11/12 RTS on/off
};

namespace set_control {
inline constexpr unsigned char kNoFlowControl = 1;
inline constexpr unsigned char kXonXoff = 2;
inline constexpr unsigned char kDtrOn = 8;
inline constexpr unsigned char kDtrOff = 9;
inline constexpr unsigned char kRtsOn = 11;
inline constexpr unsigned char kRtsOff = 12;
}  // namespace set_control

class TelnetCodec {
public:
    enum class ComPortState { Pending, Agreed, Refused };

    // WILL COM-PORT-OPTION, WILL BINARY, DO BINARY, remembered as offered.
    std::string Greeting();
    // The data with every IAC byte doubled.
    static std::string Escape(std::string_view data);
    // IAC SB COM-PORT-OPTION, the command, its value (escaped), IAC SE.
    static std::string Request(ComPortCommand command, std::string_view value);

    // Takes bytes from the server, which may end in the middle of a command: the
    // line's data is appended to `data`, what must be sent back to `answers`.
    void Receive(std::string_view bytes, std::string& data, std::string& answers);

    ComPortState ComPort() const { return comPort_; }
    // The value the server last answered a command with since ForgetAnswers.
    std::optional<std::uint32_t> Answer(ComPortCommand command) const;
    void ForgetAnswers() { answers_.fill(std::nullopt); }

private:
    enum class State { Data, Command, Option, Sub, SubCommand };
    void Negotiate(unsigned char command, unsigned char option, std::string& answers);
    void EndSubnegotiation();

    State state_ = State::Data;
    unsigned char command_ = 0;
    std::string sub_;
    ComPortState comPort_ = ComPortState::Pending;
    // By option: in force on our side (we will) and on the server's (it will);
    // offered by us and not yet answered; refused once already.
    std::array<bool, 256> ours_{};
    std::array<bool, 256> theirs_{};
    std::array<bool, 256> oursOffered_{};
    std::array<bool, 256> theirsAsked_{};
    std::array<bool, 256> refusedOurs_{};
    std::array<bool, 256> refusedTheirs_{};
    std::array<std::optional<std::uint32_t>, 6> answers_{};
};

}  // namespace telvor
