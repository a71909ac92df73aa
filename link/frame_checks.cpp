// The pure part of the framing: hex digits, the LRC, reply classification and
// decoding, the register map and the exception texts.

#include <array>

#include "modbus_ascii.h"
#include "parameter_keys.h"

namespace telvor {
namespace {

// Register of each parameter, by slot (A00..A12, then b00..b97); b89 has none and falls to 0.
constexpr std::array<int, kParameterCount> kRegisterOfSlot = {
    4,   5,   8,   9,   1,   2,   154, 7,   158, 122, 12,  128, 42,                                  // A00-A12
    111, 112, 13,  41,  123, 124, 125, 126, 127, 149, 150, 153, 151, 152, 220, 221, 223, 35,  36,  37,   // b00-b19
    129, 130, 131, 102, 104, 106, 108, 101, 103, 105, 107, 39,  40,  109, 110, 14,  15,  16,  17,  115,  // b20-b39
    116, 18,  114, 117, 34,  26,  27,  28,  29,  30,  31,  32,  33,  24,  25,  21,  22,  23,  159, 160,  // b40-b59
    121, 146, 19,  20,  118, 119, 120, 138, 139, 140, 141, 142, 143, 144, 145, 147, 148, 133, 134, 135,  // b60-b79
    136, 137, 155, 156, 157, 48,  38,  113, 3,   0,   6,   100, 10,  11,  132, 43,  44,  45,            // b80-b97
};

// The byte sum of the hex pairs between ":" and the LRC field of a frame of this length.
// Returns -1 at the first character that is not an upper-case hex digit.
int PairSum(const char* frame, std::size_t totalLength) {
    int sum = 0;
    const std::size_t pairs = (totalLength - 5) / 2;
    for (std::size_t k = 1; k <= pairs; ++k) {
        const char high = frame[2 * k - 1];
        const char low = frame[2 * k];
        if (!IsUpperHexDigit(high) || !IsUpperHexDigit(low)) return -1;
        sum += 16 * HexDigitValue(high) + HexDigitValue(low);
    }
    return sum;
}

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

int RegisterOfParameter(int codeIndex) {
    const int slot = SlotOfCodeIndex(codeIndex);
    return slot == kNoParameter ? 0 : kRegisterOfSlot[static_cast<std::size_t>(slot)];
}

std::string ExceptionMessage(std::string_view reply) {
    if (reply.size() < 7) return "";
    const std::string_view code = reply.substr(5, 2);
    if (code == "51") return "Function Code Error !";
    if (code == "52") return "Address Error !";
    if (code == "53") return "Data Amount Error !";
    if (code == "54") return "Data Over Range !";
    if (code == "55") return "Write Mode Error !";
    return "";
}

int ComputeLrc(const char* frame, std::size_t totalLength) {
    if (totalLength < 5) return 0;
    int sum = 0;
    const std::size_t pairs = (totalLength - 5) / 2;
    for (std::size_t k = 1; k <= pairs; ++k)
        sum += 16 * HexDigitValue(frame[2 * k - 1]) + HexDigitValue(frame[2 * k]);
    return 0x10000 - sum;
}

ExchangeResult ValidateReply(const char* reply, std::size_t received) {
    // A start character that failed the parity check: a damaged frame, not line noise.
    if (std::string_view(reply, received).starts_with(kParityMark)) return ExchangeResult::ReplyChecksumError;
    if (received == 0 || reply[0] != ':') return ExchangeResult::ReplyTimeout;
    // Too short for address, function and LRC: something came, but no frame.
    if (received < kShortestReply) return ExchangeResult::ReplyChecksumError;
    const int sum = PairSum(reply, received);
    if (sum < 0) return ExchangeResult::ReplyChecksumError;
    const int lrc = (0x100 - (sum & 0xFF)) & 0xFF;
    if (reply[received - 4] != kDigits[lrc >> 4] || reply[received - 3] != kDigits[lrc & 0xF])
        return ExchangeResult::ReplyChecksumError;
    return reply[3] >= '8' ? ExchangeResult::ReplyException : ExchangeResult::ReplyNormal;
}

std::int32_t RegisterValueOfReply(std::string_view reply, int k) {
    if (k < 0) return -1;
    const std::size_t first = 7 + 4 * static_cast<std::size_t>(k);
    // The value's four digits, then the LRC and CR LF.
    if (reply.size() < first + 4 + 4) return -1;
    std::int32_t value = 0;
    for (std::size_t i = first; i < first + 4; ++i) {
        if (!IsUpperHexDigit(reply[i])) return -1;
        value = value * 16 + HexDigitValue(reply[i]);
    }
    return value;
}

namespace {

// The byte of two hex digits at `at`, or -1.
int ByteAt(std::string_view frame, std::size_t at) {
    if (frame.size() < at + 2 || !IsUpperHexDigit(frame[at]) || !IsUpperHexDigit(frame[at + 1])) return -1;
    return 16 * HexDigitValue(frame[at]) + HexDigitValue(frame[at + 1]);
}

constexpr int kFunctionReadRegisters = 0x03;
constexpr int kExceptionBit = 0x80;
// ":", address, function, exception code, LRC, CR LF.
constexpr std::size_t kExceptionReplyLength = 11;
// ":", address, function, two words, LRC, CR LF: the echoes of functions 06, 08 and 10.
constexpr std::size_t kEchoReplyLength = 17;
constexpr std::size_t kEchoedFields = 13;  // ":", address, function and the two words

// The register count of a request to function 03 (its last field), or -1.
int RegisterCountOf(std::string_view request) {
    const int high = ByteAt(request, 9);
    const int low = ByteAt(request, 11);
    return high < 0 || low < 0 ? -1 : 256 * high + low;
}

}  // namespace

int FunctionOfFrame(std::string_view frame) { return ByteAt(frame, 3); }

bool ReplyAnswersRequest(std::string_view request, std::string_view reply) {
    const int station = ByteAt(request, 1);
    const int function = FunctionOfFrame(request);
    if (station < 0 || function < 0 || ByteAt(reply, 1) != station) return false;
    const int replyFunction = FunctionOfFrame(reply);
    if (replyFunction == (function | kExceptionBit)) return reply.size() == kExceptionReplyLength;
    if (replyFunction != function) return false;
    if (function == kFunctionReadRegisters) {
        // ":", address, function, byte count, the registers, LRC, CR LF.
        const int count = RegisterCountOf(request);
        return count >= 0 && ByteAt(reply, 5) == 2 * count &&
               reply.size() == 7 + 4 * static_cast<std::size_t>(count) + 4;
    }
    // A write of one register (06) echoes its register and value, a write of several (10)
    // its first register and count, the diagnostic echo (08) its sub-function and data.
    const bool echoes = function == 0x06 || function == 0x08 || function == 0x10;
    return echoes && reply.size() == kEchoReplyLength && request.size() >= kEchoedFields &&
           reply.substr(0, kEchoedFields) == request.substr(0, kEchoedFields);
}

int StationOfReply(std::string_view reply) {
    if (reply.size() < 3 || reply[0] != ':' || !IsUpperHexDigit(reply[1]) || !IsUpperHexDigit(reply[2]))
        return -1;
    return 16 * HexDigitValue(reply[1]) + HexDigitValue(reply[2]);
}

}  // namespace telvor
