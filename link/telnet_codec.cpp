#include "telnet_codec.h"

namespace telvor {
namespace {

using namespace telnet;

// A subnegotiation longer than any answer we take is cut; its end is still found.
constexpr std::size_t kLongestSubnegotiation = 64;

bool WeTake(unsigned char option) {
    return option == kBinary || option == kSuppressGoAhead || option == kComPortOption;
}
bool TheyMay(unsigned char option) { return option == kBinary || option == kSuppressGoAhead; }

std::string Command(unsigned char command, unsigned char option) {
    return {static_cast<char>(kIac), static_cast<char>(command), static_cast<char>(option)};
}

}  // namespace

std::string TelnetCodec::Greeting() {
    oursOffered_[kComPortOption] = true;
    oursOffered_[kBinary] = true;
    theirsAsked_[kBinary] = true;
    return Command(kWill, kComPortOption) + Command(kWill, kBinary) + Command(kDo, kBinary);
}

std::string TelnetCodec::Escape(std::string_view data) {
    std::string escaped;
    escaped.reserve(data.size() + 4);
    for (const char c : data) {
        escaped += c;
        if (static_cast<unsigned char>(c) == kIac) escaped += c;
    }
    return escaped;
}

std::string TelnetCodec::Request(ComPortCommand command, std::string_view value) {
    std::string request{static_cast<char>(kIac), static_cast<char>(kSb), static_cast<char>(kComPortOption),
                        static_cast<char>(command)};
    request += Escape(value);
    request += static_cast<char>(kIac);
    request += static_cast<char>(kSe);
    return request;
}

void TelnetCodec::Receive(std::string_view bytes, std::string& data, std::string& answers) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Data:
            if (byte == kIac) state_ = State::Command;
            else data += c;
            break;
        case State::Command:
            if (byte == kIac) {
                data += c;  // an escaped 255
                state_ = State::Data;
            } else if (byte == kSb) {
                sub_.clear();
                state_ = State::Sub;
            } else if (byte >= kWill && byte <= kDont) {
                command_ = byte;
                state_ = State::Option;
            } else {
                state_ = State::Data;  // NOP, go-ahead and the like mean nothing here
            }
            break;
        case State::Option:
            Negotiate(command_, byte, answers);
            state_ = State::Data;
            break;
        case State::Sub:
            if (byte == kIac) state_ = State::SubCommand;
            else if (sub_.size() < kLongestSubnegotiation) sub_ += c;
            break;
        case State::SubCommand:
            if (byte == kSe) {
                EndSubnegotiation();
                state_ = State::Data;
            } else {
                if (byte == kIac && sub_.size() < kLongestSubnegotiation) sub_ += c;
                state_ = State::Sub;
            }
            break;
        }
    }
}

void TelnetCodec::Negotiate(unsigned char command, unsigned char option, std::string& answers) {
    switch (command) {
    case kDo:
        if (WeTake(option)) {
            if (!ours_[option] && !oursOffered_[option]) answers += Command(kWill, option);
            ours_[option] = true;
            oursOffered_[option] = false;
            if (option == kComPortOption) comPort_ = ComPortState::Agreed;
        } else if (!refusedOurs_[option]) {
            answers += Command(kWont, option);
            refusedOurs_[option] = true;
        }
        break;
    case kDont:
        if (ours_[option]) answers += Command(kWont, option);
        ours_[option] = false;
        oursOffered_[option] = false;
        if (option == kComPortOption) comPort_ = ComPortState::Refused;
        break;
    case kWill:
        if (TheyMay(option)) {
            if (!theirs_[option] && !theirsAsked_[option]) answers += Command(kDo, option);
            theirs_[option] = true;
            theirsAsked_[option] = false;
        } else if (!refusedTheirs_[option]) {
            answers += Command(kDont, option);
            refusedTheirs_[option] = true;
        }
        break;
    case kWont:
        if (theirs_[option]) answers += Command(kDont, option);
        theirs_[option] = false;
        theirsAsked_[option] = false;
        break;
    default: break;
    }
}

void TelnetCodec::EndSubnegotiation() {
    if (sub_.size() < 3 || static_cast<unsigned char>(sub_[0]) != kComPortOption) return;
    const unsigned code = static_cast<unsigned char>(sub_[1]);
    if (code <= kServerAnswerOffset || code - kServerAnswerOffset >= answers_.size()) return;
    std::uint32_t value = 0;
    for (std::size_t i = 2; i < sub_.size() && i < 6; ++i) value = (value << 8) | static_cast<unsigned char>(sub_[i]);
    answers_[code - kServerAnswerOffset] = value;
}

std::optional<std::uint32_t> TelnetCodec::Answer(ComPortCommand command) const {
    return answers_[static_cast<std::size_t>(command)];
}

}  // namespace telvor
