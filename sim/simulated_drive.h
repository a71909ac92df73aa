#pragma once
// One simulated drive: its register map filled from the catalogue defaults of its
// model, the MODBUS functions 03, 06, 08 and 10 with the drive's exception codes,
// and running values that follow the control word.

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "register_block_reads.h"
#include "station_faults.h"

namespace telvor::sim {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// The drive's exception codes (sent as the two hex digits shown).
inline constexpr std::uint8_t kExceptionFunction = 0x51;
inline constexpr std::uint8_t kExceptionAddress = 0x52;
inline constexpr std::uint8_t kExceptionCount = 0x53;
inline constexpr std::uint8_t kExceptionRange = 0x54;
inline constexpr std::uint8_t kExceptionWriteMode = 0x55;

inline constexpr int kMaxRegistersPerRequest = 32;
inline constexpr std::uint16_t kSoftwareVersion = 12;  // shown as "1.2"

class SimulatedDrive {
public:
    SimulatedDrive(int model, bool is50Hz, Clock::time_point now = Clock::now());

    // The reply PDU (function and data) to a request PDU.
    Bytes Answer(const Bytes& request, Clock::time_point now);

    std::optional<std::uint16_t> Register(int reg) const;
    // Sets a register that exists, bypassing every check (for tests and the control file).
    bool ForceRegister(int reg, std::uint16_t value);
    // Every parameter to the defaults of its model at 50 or 60 Hz; the drive stops.
    void ResetToDefaults(bool is50Hz);
    int Model() const;

    StationFaults faults;
    RegisterBlockReads blockReads;
    // A register's own upper limit where it is narrower than the catalogue's (a drive of
    // another firmware): a larger value written to it gets exception 54.
    std::map<int, std::uint16_t> writeLimits;

private:
    Bytes Read(const Bytes& request);
    Bytes WriteSingle(const Bytes& request);
    Bytes WriteMultiple(const Bytes& request);
    // 0 when the value may go into the register, else the exception code.
    std::uint8_t CheckWrite(int reg, std::uint16_t value) const;
    void Store(int reg, std::uint16_t value);
    void Advance(Clock::time_point now);

    std::map<int, std::uint16_t> registers_;
    std::map<int, int> codeOfRegister_;
    int model_;
    bool is50Hz_;
    double outputFrequency_ = 0;  // raw, two decimals
    Clock::time_point last_;
};

}  // namespace telvor::sim
