#pragma once
// Reply frames for scripted drives: the body as sent (":0183" + code ...) with its
// LRC and CR LF added.

#include <string>

#include "modbus_ascii.h"

namespace telvor::testing {

inline std::string WithLrc(std::string body) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    body += "00\r\n";
    const int lrc = ComputeLrc(body.data(), body.size()) & 0xFF;
    body[body.size() - 4] = kDigits[lrc >> 4];
    body[body.size() - 3] = kDigits[lrc & 0xF];
    return body;
}

}  // namespace telvor::testing
