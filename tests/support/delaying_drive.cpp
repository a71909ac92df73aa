#include "delaying_drive.h"

#include <algorithm>

#include "modbus_ascii.h"
#include "test_frames.h"

namespace telvor::testing {
namespace {

using namespace std::chrono_literals;

int Hex(const std::string& text, std::size_t at, std::size_t digits) {
    return std::stoi(text.substr(at, digits), nullptr, 16);
}

std::string Word(int value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string word;
    for (int shift = 12; shift >= 0; shift -= 4) word += kDigits[(value >> shift) & 0xF];
    return word;
}

}  // namespace

DelayingDrive::DelayingDrive(int station) : station_(station) {
    registers_[kRegisterCapacityCode] = 8;
    registers_[kRegisterSoftwareVersion] = 12;
    thread_ = std::thread([this] { Serve(); });
}

DelayingDrive::~DelayingDrive() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

void DelayingDrive::Delay(const std::string& request, std::vector<std::chrono::milliseconds> delays) {
    std::lock_guard lock(mutex_);
    delays_[request].assign(delays.begin(), delays.end());
}

void DelayingDrive::Ignore(int count) {
    std::lock_guard lock(mutex_);
    ignore_ = count;
}

void DelayingDrive::SetRegister(int reg, std::uint16_t value) {
    std::lock_guard lock(mutex_);
    registers_[reg] = value;
}

std::uint16_t DelayingDrive::Register(int reg) {
    std::lock_guard lock(mutex_);
    const auto it = registers_.find(reg);
    return it == registers_.end() ? static_cast<std::uint16_t>(100 + reg) : it->second;
}

void DelayingDrive::Refuse(int reg, int exceptionCode) {
    std::lock_guard lock(mutex_);
    refusals_[reg] = exceptionCode;
}

std::vector<std::string> DelayingDrive::Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

void DelayingDrive::Serve() {
    std::string pending;
    for (;;) {
        std::chrono::milliseconds wait = 5ms;
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
            const auto now = std::chrono::steady_clock::now();
            while (!due_.empty() && due_.front().at <= now) {
                line_.Send(due_.front().reply);
                due_.pop_front();
            }
            if (!due_.empty())
                wait = std::clamp(
                    std::chrono::duration_cast<std::chrono::milliseconds>(due_.front().at - now), 0ms, 5ms);
        }
        pending += line_.ReceiveAvailable(wait);
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            Take(pending.substr(0, end + 1));
    }
}

void DelayingDrive::Take(const std::string& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    const auto now = std::chrono::steady_clock::now();
    if (ignore_ > 0) {
        --ignore_;
        return;
    }
    if (ValidateReply(request.data(), request.size()) != ExchangeResult::ReplyNormal || request.size() < 17 ||
        Hex(request, 1, 2) != station_)
        return;
    std::chrono::milliseconds delay = 0ms;
    if (auto it = delays_.find(request); it != delays_.end() && !it->second.empty()) {
        delay = it->second.front();
        it->second.pop_front();
    }
    // One request at a time: the drive starts on a request once the reply before it is out.
    const auto start = due_.empty() ? now : std::max(now, due_.back().at);
    due_.push_back({start + delay, Answer(request)});
}

std::string DelayingDrive::Answer(const std::string& request) {
    const std::string head = request.substr(0, 5);
    const int function = Hex(request, 3, 2);
    const int reg = Hex(request, 5, 4);
    const auto refusal = refusals_.find(reg);
    const auto exception = [&](int code) {
        return WithLrc(head.substr(0, 3) + Word(function | 0x80).substr(2) + Word(code).substr(2));
    };
    switch (function) {
    case 0x03: {
        const int count = Hex(request, 9, 4);
        std::string body = head + Word(2 * count).substr(2);
        for (int r = reg; r < reg + count; ++r) {
            const auto it = registers_.find(r);
            body += Word(it == registers_.end() ? 100 + r : it->second);
        }
        return WithLrc(body);
    }
    case 0x06:
    case 0x10:
        if (refusal != refusals_.end()) return exception(refusal->second);
        registers_[reg] = static_cast<std::uint16_t>(Hex(request, function == 0x06 ? 9 : 15, 4));
        return WithLrc(request.substr(0, 13));
    case 0x08: return WithLrc(request.substr(0, 13));
    default: return exception(0x51);
    }
}

}  // namespace telvor::testing
