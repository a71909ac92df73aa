#pragma once
// How a simulated drive's output follows its control word: the output frequency
// ramps toward the frequency command at the rates of the acceleration and
// deceleration times, within the frequency limits, and the running values follow.

#include <cstdint>

namespace telvor::sim {

// Raw register values of A02..A05 and the frequency command (two decimals; times one decimal).
struct MotionSettings {
    std::uint16_t highLimit = 5000;
    std::uint16_t lowLimit = 0;
    std::uint16_t accelerationTime = 50;
    std::uint16_t decelerationTime = 50;
    std::uint16_t frequencyCommand = 5000;
};

// The frequency the output ramps to: the command within A03..A02 while running
// and not tripped, else 0.
double TargetFrequency(const MotionSettings& settings, bool run, bool tripped);

// The output frequency (raw) after `seconds` of ramping toward `target`: a ramp
// time is the time from 0 to the high limit.
double RampedFrequency(double output, double target, const MotionSettings& settings, double seconds);

// Registers 244..246: output voltage and DC bus voltage (one decimal) and output
// current (one decimal) at an output frequency, a base frequency and a phase
// (seconds) that adds a little ripple.
struct RunningValues {
    std::uint16_t outputVoltage = 0;
    std::uint16_t busVoltage = 0;
    std::uint16_t outputCurrent = 0;
};
RunningValues RunningValuesAt(double output, double baseFrequency, bool accelerating, double phase);

}  // namespace telvor::sim
