#pragma once
// MODBUS ASCII on the serial line: the request frames the program sends, one
// request/reply exchange, and the checks that classify a reply. Building and
// checking are pure functions over byte buffers; Exchange runs them on the port.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frame_trace.h"
#include "modbus_transport.h"
#include "serial_port.h"

namespace telvor {

inline constexpr std::size_t kRequestLength = 17;         // every request but WriteParameter
inline constexpr std::size_t kWriteParameterLength = 23;  // function 10 with one register
inline constexpr std::size_t kRequestBufferSize = 80;
inline constexpr std::size_t kReplyBufferSize = 80;
// The shortest reply that can be a frame: ":", address, function, LRC, CR LF.
inline constexpr std::size_t kShortestReply = 9;
// How a line with parity hands over a byte that failed the parity check: these two
// bytes, then the byte as received.
inline constexpr std::string_view kParityMark{"\377\0", 2};
// The data of the diagnostic echo of the Link command.
inline constexpr std::int64_t kEchoTestData = 0xA537;

// How long a quick echo waits for its reply on a line of this baud rate (never longer
// than the read time-out; a rate that is not positive gets the read time-out).
std::chrono::milliseconds QuickEchoWait(int baudRate);

inline constexpr int kFirstStation = 1;
inline constexpr int kLastStation = 254;
inline constexpr std::int64_t kLargestField = 65535;

// Registers with a fixed meaning.
inline constexpr int kRegisterCapacityCode = 0x0000;
inline constexpr int kRegisterFrequencyLimits = 0x0008;  // A02, A03
inline constexpr int kRegisterSoftwareVersion = 0x002C;
inline constexpr int kRegisterControlWord = 0x00E6;
inline constexpr int kRegisterFrequencyCommand = 0x00E7;
inline constexpr int kRegisterStatusWords = 0x00EF;    // three words
inline constexpr int kRegisterMonitorValues = 0x00F2;  // nine values
inline constexpr int kStatusWordCount = 3;
inline constexpr int kMonitorValueCount = 9;

// "0"-"9" give 0-9, "A"-"F" give 10-15, anything else 0.
int HexDigitValue(char c);
bool IsUpperHexDigit(char c);

// The drive register of a parameter; 0 for b89 (the capacity code's register)
// and for an index that names no parameter.
int RegisterOfParameter(int codeIndex);

// The text shown for an exception reply: its characters 5 and 6 are the
// exception code; "Address Error !" for 52, empty for a code without a text.
std::string ExceptionMessage(std::string_view reply);

// Low byte of the result: the LRC of a frame of this total length
// (":" .. LRC CR LF), i.e. the two's complement of its byte sum modulo 256.
int ComputeLrc(const char* frame, std::size_t totalLength);

// Classifies `received` bytes of a reply that begins with ":". A reply shorter
// than kShortestReply is a ReplyChecksumError: something arrived, but not a frame.
// So is one whose start character failed the parity check (kParityMark first); a
// marked byte further on fails the digit or LRC checks.
ExchangeResult ValidateReply(const char* reply, std::size_t received);

// The k-th register value (k = 0, 1, ...) of a normal reply to function 03,
// or -1 when the reply is too short to hold it.
std::int32_t RegisterValueOfReply(std::string_view reply, int k);

// The frame's own station address (positions 1-2), or -1 when it has none.
int StationOfReply(std::string_view reply);
// The frame's function code (positions 3-4), or -1 when it has none.
int FunctionOfFrame(std::string_view frame);

// Whether a reply that validated as ReplyNormal or ReplyException is the answer to
// this request: the request's station address and function code (with the high bit
// set for an exception reply, which is 11 characters long); for a normal reply to
// function 03 exactly the byte count and length of the registers asked for; for
// functions 06, 08 and 10 the request's own two words: the register and value of a
// write of one register, the register and count of a write of several, the
// sub-function and data of the echo. Anything else answers another request.
bool ReplyAnswersRequest(std::string_view request, std::string_view reply);

class CModbusAscii : public CSerialPort, public ModbusTransport {
public:
    using CSerialPort::CSerialPort;
    ~CModbusAscii() override;

    // Request builders. Each writes a complete frame (LRC and CR LF included,
    // no terminator) into a buffer of at least kRequestBufferSize bytes and
    // returns its length, 17 (23 for WriteParameter). A station outside 1..254,
    // a field outside 0..65535 or a code index that names no parameter is refused:
    // nothing is written and the result is 0.
    static std::size_t EchoTest(char* request, int station);
    // The diagnostic echo (function 08, sub-function 0000) with other data.
    static std::size_t Echo(char* request, int station, std::int64_t data);
    static std::size_t ReadSoftwareVersion(char* request, int station);
    static std::size_t ReadCapacityCode(char* request, int station);
    static std::size_t ReadFrequencyLimits(char* request, int station);
    static std::size_t ReadStatusWords(char* request, int station);
    static std::size_t ReadMonitorValues(char* request, int station);
    static std::size_t ReadControlWord(char* request, int station);
    static std::size_t ReadParameter(char* request, int station, int codeIndex);
    static std::size_t WriteParameter(char* request, int station, int codeIndex, std::int64_t value);
    static std::size_t WriteRegister(char* request, int station, std::int64_t reg, std::int64_t value);
    // Function 03 of `count` registers from `start` (the simulator's peers and tests use other counts).
    static std::size_t ReadRegisters(char* request, int station, std::int64_t start, std::int64_t count);

    // Up to `attempts` times: pause 2 ms, throw away stale input, write the request,
    // read the reply (ended by its LF, a 50 ms gap or 400 ms in all). A reply that
    // begins with ":" is validated; a valid frame that is not the answer to this request
    // (ReplyAnswersRequest), a late reply to an earlier one, is dropped and the wait goes
    // on within the same 400 ms; otherwise its result is returned at once. After the
    // last attempt: ReplyTimeout. The reply buffer is not cleared first; `received` (may
    // be omitted) is the length of the reply put there, at most the capacity.
    ExchangeResult Exchange(const char* request, std::size_t requestLength, char* reply,
                            std::size_t replyCapacity, int attempts, std::size_t* received = nullptr) override;

    // After a failure of the port itself the port is opened again by its name, with the
    // line format it had ("Unable to reopen the port!" when that fails).
    bool ReopenAfterPortError() override;

    // Close, with the port's own message when it was not open.
    void CloseLine() override { Close(); }

    // Records every frame sent and received; nullptr (the default) records nothing.
    void SetFrameTrace(FrameTrace* trace) { trace_ = trace; }
    // On (the default): a read ends at the reply's LF. Off: every read ends on the
    // 50 ms gap, as the port's time-outs alone would end it (for benchmarks).
    void SetFrameEndDetection(bool on) { frameEndDetection_ = on; }
    bool FrameEndDetection() const { return frameEndDetection_; }

private:
    std::optional<ExchangeResult> AwaitReply(std::string_view request, char* reply, std::size_t replyCapacity,
                                             std::size_t& count);

    FrameTrace* trace_ = nullptr;
    bool frameEndDetection_ = true;
};

}  // namespace telvor
