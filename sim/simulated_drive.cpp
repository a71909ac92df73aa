#include "simulated_drive.h"

#include <algorithm>
#include <cmath>

#include "drive_motion.h"
#include "modbus_ascii.h"
#include "parameter_catalogue.h"
#include "value_format.h"

namespace telvor::sim {
namespace {

constexpr int kRegisterB95 = 43;
constexpr int kFirstStatus = kRegisterStatusWords;                    // 239..241
constexpr int kLastMonitor = kRegisterMonitorValues + kMonitorValueCount - 1;  // 250

// Control word bits and the terminal state bits they drive.
constexpr std::uint16_t kRunBit = 1u << 0;
constexpr std::uint16_t kReverseBit = 1u << 1;
constexpr std::uint16_t kFaultResetBit = 1u << 3;
constexpr std::pair<int, int> kTerminalOfControlBit[] = {{5, 0}, {6, 1}, {7, 2}, {8, 3}, {11, 6}, {12, 7}};

Bytes Exception(std::uint8_t function, std::uint8_t code) {
    return {static_cast<std::uint8_t>(function | 0x80), code};
}

int Word(const Bytes& bytes, std::size_t at) { return bytes[at] << 8 | bytes[at + 1]; }

void PutWord(Bytes& bytes, int value) {
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

bool IsReadOnly(int reg) {
    return reg == kRegisterSoftwareVersion || (reg >= kFirstStatus && reg <= kLastMonitor);
}

}  // namespace

SimulatedDrive::SimulatedDrive(int model, bool is50Hz, Clock::time_point now) : model_(model), is50Hz_(is50Hz), last_(now) {
    for (const ParameterInfo& info : ParameterCatalogue()) codeOfRegister_[RegisterOfParameter(info.codeIndex)] = info.codeIndex;
    codeOfRegister_[kRegisterCapacityCode] = kCodeB89;
    ResetToDefaults(is50Hz);
}

void SimulatedDrive::ResetToDefaults(bool is50Hz) {
    is50Hz_ = is50Hz;
    const ParameterSet defaults = MakeDefaultSet(model_, is50Hz);
    for (const auto& [reg, code] : codeOfRegister_)
        registers_[reg] = static_cast<std::uint16_t>(defaults[static_cast<std::size_t>(SlotOfCodeIndex(code))]);
    registers_[kRegisterCapacityCode] = static_cast<std::uint16_t>(model_);
    registers_[kRegisterB95] = 0;
    registers_[kRegisterSoftwareVersion] = kSoftwareVersion;
    registers_[kRegisterControlWord] = 0;
    registers_[kRegisterFrequencyCommand] = is50Hz ? 5000 : 6000;
    for (int reg = kFirstStatus; reg <= kLastMonitor; ++reg) registers_[reg] = 0;
    outputFrequency_ = 0;
    Advance(last_);
}

int SimulatedDrive::Model() const { return model_; }

std::optional<std::uint16_t> SimulatedDrive::Register(int reg) const {
    const auto it = registers_.find(reg);
    if (it == registers_.end()) return std::nullopt;
    return it->second;
}

bool SimulatedDrive::ForceRegister(int reg, std::uint16_t value) {
    const auto it = registers_.find(reg);
    if (it == registers_.end()) return false;
    it->second = value;
    if (reg == kRegisterCapacityCode) model_ = value;
    return true;
}

Bytes SimulatedDrive::Answer(const Bytes& request, Clock::time_point now) {
    Advance(now);
    if (request.empty()) return Exception(0, kExceptionFunction);
    switch (request[0]) {
    case 0x03: return Read(request);
    case 0x06: return WriteSingle(request);
    case 0x08:
        if (request.size() >= 3 && Word(request, 1) == 0x0000) return request;
        return Exception(0x08, kExceptionFunction);
    case 0x10: return WriteMultiple(request);
    default: return Exception(request[0], kExceptionFunction);
    }
}

Bytes SimulatedDrive::Read(const Bytes& request) {
    if (request.size() != 5) return Exception(0x03, kExceptionCount);
    const int start = Word(request, 1);
    const int count = Word(request, 3);
    if (count < 1 || count > kMaxRegistersPerRequest) return Exception(0x03, kExceptionCount);
    if (const std::uint8_t code = blockReads.Refusal(start, count)) return Exception(0x03, code);
    Bytes reply{0x03, static_cast<std::uint8_t>(2 * count)};
    for (int reg = start; reg < start + count; ++reg) {
        const auto value = Register(reg);
        if (!value) return Exception(0x03, kExceptionAddress);
        PutWord(reply, *value);
    }
    return reply;
}

std::uint8_t SimulatedDrive::CheckWrite(int reg, std::uint16_t value) const {
    if (!registers_.contains(reg)) return kExceptionAddress;
    if (IsReadOnly(reg)) return kExceptionWriteMode;
    if (const auto limit = writeLimits.find(reg); limit != writeLimits.end() && value > limit->second)
        return kExceptionRange;
    if (reg == kRegisterFrequencyCommand) return value <= registers_.at(kRegisterFrequencyLimits) ? 0 : kExceptionRange;
    if (reg == kRegisterControlWord) return 0;
    return CheckRange(codeOfRegister_.at(reg), value) ? 0 : kExceptionRange;
}

void SimulatedDrive::Store(int reg, std::uint16_t value) {
    if (reg == kRegisterB95) {
        // 10 and 20 reset the drive; the register itself always reads 0.
        if (value == 10 || value == 20) ResetToDefaults(value == 10);
        return;
    }
    registers_[reg] = value;
    if (reg == kRegisterCapacityCode) model_ = value;
    if (reg == kRegisterControlWord && (value & kFaultResetBit)) {
        registers_[kFirstStatus + 1] = 0;
        registers_[reg] = static_cast<std::uint16_t>(value & ~kFaultResetBit);
    }
    if (reg == kRegisterControlWord) Advance(last_);
}

Bytes SimulatedDrive::WriteSingle(const Bytes& request) {
    if (request.size() != 5) return Exception(0x06, kExceptionCount);
    const int reg = Word(request, 1);
    const auto value = static_cast<std::uint16_t>(Word(request, 3));
    if (const std::uint8_t code = CheckWrite(reg, value)) return Exception(0x06, code);
    Store(reg, value);
    return request;
}

Bytes SimulatedDrive::WriteMultiple(const Bytes& request) {
    if (request.size() < 6) return Exception(0x10, kExceptionCount);
    const int start = Word(request, 1);
    const int count = Word(request, 3);
    if (count < 1 || count > kMaxRegistersPerRequest || request[5] != 2 * count ||
        request.size() != 6 + 2 * static_cast<std::size_t>(count))
        return Exception(0x10, kExceptionCount);
    for (int k = 0; k < count; ++k)
        if (const std::uint8_t code = CheckWrite(start + k, static_cast<std::uint16_t>(Word(request, 6 + 2 * k))))
            return Exception(0x10, code);
    for (int k = 0; k < count; ++k) Store(start + k, static_cast<std::uint16_t>(Word(request, 6 + 2 * k)));
    return Bytes(request.begin(), request.begin() + 5);
}

void SimulatedDrive::Advance(Clock::time_point now) {
    const double seconds = std::max(0.0, std::chrono::duration<double>(now - last_).count());
    last_ = std::max(last_, now);
    const std::uint16_t control = registers_[kRegisterControlWord];
    const bool run = control & kRunBit;
    const MotionSettings settings{registers_[RegisterOfParameter(2)], registers_[RegisterOfParameter(3)],
                                  registers_[RegisterOfParameter(4)], registers_[RegisterOfParameter(5)],
                                  registers_[kRegisterFrequencyCommand]};
    // A fault code in register 240 trips the drive until the fault-reset bit clears it.
    const bool tripped = registers_[kFirstStatus + 1] != 0;
    const double target = TargetFrequency(settings, run, tripped);
    const double before = outputFrequency_;
    outputFrequency_ = RampedFrequency(outputFrequency_, target, settings, seconds);

    const bool turning = outputFrequency_ > 0;
    std::uint16_t runStatus = 0;
    if ((run && !tripped) || turning) runStatus |= 1u << 0;
    if (control & kReverseBit) runStatus |= 1u << 1;
    std::uint16_t terminals = 0;
    for (const auto& [controlBit, terminalBit] : kTerminalOfControlBit)
        if (control & (1u << controlBit)) terminals |= static_cast<std::uint16_t>(1u << terminalBit);
    registers_[kFirstStatus] = runStatus;
    registers_[kFirstStatus + 2] = terminals;

    const RunningValues values = RunningValuesAt(outputFrequency_, is50Hz_ ? 5000.0 : 6000.0, outputFrequency_ > before,
                                                 std::chrono::duration<double>(now.time_since_epoch()).count());
    registers_[kRegisterMonitorValues + 0] = registers_[kRegisterFrequencyCommand];       // set frequency
    registers_[kRegisterMonitorValues + 1] = static_cast<std::uint16_t>(std::lround(outputFrequency_));
    registers_[kRegisterMonitorValues + 2] = values.outputVoltage;
    registers_[kRegisterMonitorValues + 3] = values.busVoltage;
    registers_[kRegisterMonitorValues + 4] = values.outputCurrent;
    registers_[kRegisterMonitorValues + 5] = static_cast<std::uint16_t>(std::lround(outputFrequency_ * 0.3));  // rpm of a 4-pole motor
}

}  // namespace telvor::sim
