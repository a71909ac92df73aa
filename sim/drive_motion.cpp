#include "drive_motion.h"

#include <algorithm>
#include <cmath>

namespace telvor::sim {
namespace {

constexpr double kRatedVoltage = 2200;   // 220.0 V at base frequency
constexpr double kBusVoltage = 3110;     // 311.0 V
constexpr double kNoLoadCurrent = 10;    // 1.0 A
constexpr double kLoadCurrent = 25;      // 2.5 A more at full speed
constexpr double kAccelerationExtra = 8; // 0.8 A more while speeding up

double RatePerSecond(const MotionSettings& settings, std::uint16_t rampTime) {
    double seconds = std::max<std::uint16_t>(rampTime, 1) / 10.0;
    return std::max<std::uint16_t>(settings.highLimit, 1) / seconds;
}

}  // namespace

double TargetFrequency(const MotionSettings& settings, bool run, bool tripped) {
    if (!run || tripped) return 0;
    double low = std::min(settings.lowLimit, settings.highLimit);
    return std::clamp<double>(settings.frequencyCommand, low, settings.highLimit);
}

double RampedFrequency(double output, double target, const MotionSettings& settings, double seconds) {
    if (output < target) return std::min(target, output + RatePerSecond(settings, settings.accelerationTime) * seconds);
    return std::max(target, output - RatePerSecond(settings, settings.decelerationTime) * seconds);
}

RunningValues RunningValuesAt(double output, double baseFrequency, bool accelerating, double phase) {
    RunningValues values;
    double share = std::min(1.0, output / std::max(baseFrequency, 1.0));
    bool turning = output > 0;
    double ripple = std::sin(phase);
    values.outputVoltage = static_cast<std::uint16_t>(std::lround(kRatedVoltage * share));
    values.busVoltage = static_cast<std::uint16_t>(std::lround(kBusVoltage + 5 * ripple));
    if (turning)
        values.outputCurrent = static_cast<std::uint16_t>(std::lround(
            kNoLoadCurrent + kLoadCurrent * share + (accelerating ? kAccelerationExtra : 0) + ripple));
    return values;
}

}  // namespace telvor::sim
