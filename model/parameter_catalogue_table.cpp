#include <array>

#include "parameter_catalogue.h"

namespace telvor {
namespace {

// code index, description, range text, value format, minimum, maximum, editor width,
// protected, default rule, default text
constexpr std::array<ParameterInfo, kParameterCount> kCatalogue{{
    {0, "Operation control", "0~2", 0, 0, 2, 1, false, DefaultRule::Fixed, "0"},  // A00
    {1, "Frequency control", "0~4", 0, 0, 4, 1, false, DefaultRule::Fixed, "0"},  // A01
    {2, "Frequency high limit (Hz)", "1.00~200.00", 3, 100, 20000, 6, false, DefaultRule::Fixed, "50.00/60.00"},  // A02
    {3, "Frequency low limit (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "0.00"},  // A03
    {4, "Acceleration time 1 (s)", "0.1~999.0", 2, 1, 9990, 5, false, DefaultRule::Fixed, "5.0"},  // A04
    {5, "Deceleration time 1 (s)", "0.1~999.0", 2, 1, 9990, 5, false, DefaultRule::Fixed, "5.0"},  // A05
    {6, "Control mode select", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "1"},  // A06
    {7, "V/F Pattern setting", "1~7", 0, 1, 7, 1, false, DefaultRule::Fixed, "1/4"},  // A07
    {8, "Output voltage at base frequency (V)", "198.0~530.0", 2, 1980, 5300, 5, false, DefaultRule::ByModel, ""},  // A08
    {9, "Base frequency (Hz)", "0.20~200.00", 3, 20, 20000, 6, false, DefaultRule::Fixed, "50.00/60.00"},  // A09
    {10, "Torque Boost Gain (V/F)(%)", "0.0~30.0", 2, 0, 300, 4, false, DefaultRule::Fixed, "0.0"},  // A10
    {11, "Electronic thermal relay protection for motor (OL1)", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // A11
    {12, "Advanced parameter function display", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // A12
    {100, "Acceleration time 2 (s)", "0.1~999.0", 2, 1, 9990, 5, false, DefaultRule::Fixed, "5.0"},  // b00
    {101, "Deceleration time 2 (s)", "0.1~999.0", 2, 1, 9990, 5, false, DefaultRule::Fixed, "5.0"},  // b01
    {102, "Slip Compensation Gain (V/F)(%)", "0.0~100.0", 2, 0, 1000, 5, false, DefaultRule::Fixed, "0.0"},  // b02
    {103, "Motor no load current (A)", "0.1~10.0", 2, 1, 100, 4, false, DefaultRule::ByModel, ""},  // b03
    {104, "Output voltage at max frequency (%)", "0.0~100.0", 2, 0, 1000, 5, false, DefaultRule::Fixed, "100.0"},  // b04
    {105, "Mid frequency (Hz)", "0.10~200.00", 3, 10, 20000, 6, false, DefaultRule::Fixed, "25.00/30.00"},  // b05
    {106, "Output voltage at mid frequency (%)", "0.0~100.0", 2, 0, 1000, 5, false, DefaultRule::Fixed, "50.0"},  // b06
    {107, "Min output frequency (Hz)", "0.10~200.00", 3, 10, 20000, 6, false, DefaultRule::Fixed, "0.50/0.60"},  // b07
    {108, "Output voltage at min frequency (%)", "0.0~100.0", 2, 0, 1000, 5, false, DefaultRule::Fixed, "1.0"},  // b08
    {109, "Motor rated current (A)", "0.2~20.0", 2, 2, 200, 4, false, DefaultRule::ByModel, ""},  // b09
    {110, "Motor rated voltage (V)", "198.0~530.0", 2, 1980, 5300, 5, false, DefaultRule::ByModel, ""},  // b10
    {111, "Motor rated frequency (Hz)", "0.0~200.0", 2, 0, 2000, 5, false, DefaultRule::Fixed, "50.0/60.0"},  // b11
    {112, "Motor rated power (kW)", "0.2~5.5", 2, 2, 55, 3, false, DefaultRule::ByModel, ""},  // b12
    {113, "Motor rated speed (rpm/10)", "0.0~180.0", 2, 0, 1800, 5, false, DefaultRule::Fixed, "140.0/170.0"},  // b13
    {114, "Torque Boost Gain (Vector)(%)", "1~450", 0, 1, 450, 3, false, DefaultRule::ByModel, ""},  // b14
    {115, "Slip Compensation Gain (Vector)(%)", "1~450", 0, 1, 450, 3, false, DefaultRule::ByModel, ""},  // b15
    {116, "Low frequency dead-time V compensation", "0~40", 0, 0, 40, 2, false, DefaultRule::ByModel, ""},  // b16
    {117, "DC brake time (s)", "0.0~25.5", 2, 0, 255, 4, false, DefaultRule::Fixed, "0.5"},  // b17
    {118, "DC brake start frequency (Hz)", "1.00~10.00", 3, 100, 1000, 5, false, DefaultRule::Fixed, "1.50"},  // b18
    {119, "DC brake level (%)", "0~20", 0, 0, 20, 2, false, DefaultRule::Fixed, "5"},  // b19
    {120, "Skip frequency 1 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "0.00"},  // b20
    {121, "Skip frequency 2 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "0.00"},  // b21
    {122, "Skip frequency range (Hz)", "0.00~30.00", 3, 0, 3000, 5, false, DefaultRule::Fixed, "0.00"},  // b22
    {123, "Acceleration stall-prevention level (%)", "50~200", 0, 50, 200, 3, false, DefaultRule::Fixed, "200"},  // b23
    {124, "Deceleration stall-prevention level (%)", "50~200", 0, 50, 200, 3, false, DefaultRule::Fixed, "200"},  // b24
    {125, "Run stall-prevention level (%)", "50~200", 0, 50, 200, 3, false, DefaultRule::Fixed, "200"},  // b25
    {126, "Stall prevention deceleration time set (s)", "0.1~999.0", 2, 1, 9990, 5, false, DefaultRule::Fixed, "3.0"},  // b26
    {127, "Acceleration stall-prevention disable", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b27
    {128, "Deceleration stall-prevention disable", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b28
    {129, "Run stall-prevention disable", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b29
    {130, "Stall prevention time during run (s)", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b30
    {131, "Power loss auto restart disable", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b31
    {132, "Auto restart attempts", "0~5", 0, 0, 5, 1, false, DefaultRule::Fixed, "0"},  // b32
    {133, "Direct start on power up", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "1"},  // b33
    {134, "Reset mode", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b34
    {135, "Terminal S1 Function", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "0"},  // b35
    {136, "Terminal S2 Function", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "1"},  // b36
    {137, "Terminal S3 Function", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "5"},  // b37
    {138, "Terminal S4 Function", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "6"},  // b38
    {139, "Terminal S5 Function (option)", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "7"},  // b39
    {140, "Terminal S6 Function (option)", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "9"},  // b40
    {141, "Terminal AIN Function", "0~19", 0, 0, 19, 2, false, DefaultRule::Fixed, "17"},  // b41
    {142, "Motorized Pot.(up/down control)", "0~2", 0, 0, 2, 1, false, DefaultRule::Fixed, "0"},  // b42
    {143, "Multi-function input terminal S1~S6 signal scan time (ms*8)", "1~100", 0, 1, 100, 3, false, DefaultRule::Fixed, "10"},  // b43
    {144, "Jog frequency instruction (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "5.00"},  // b44
    {145, "Preset frequency 1 (Main frequency setting)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "5.00"},  // b45
    {146, "Preset frequency 2 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "5.00"},  // b46
    {147, "Preset frequency 3 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "10.00"},  // b47
    {148, "Preset frequency 4 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "20.00"},  // b48
    {149, "Preset frequency 5 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "30.00"},  // b49
    {150, "Preset frequency 6 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "40.00"},  // b50
    {151, "Preset frequency 7 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "50.00"},  // b51
    {152, "Preset frequency 8 (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "60.00"},  // b52
    {153, "Multi-function output analog type selection (0~10Vdc)", "0~5", 0, 0, 5, 1, false, DefaultRule::Fixed, "0"},  // b53
    {154, "Multi-function analog output gain (%)", "0~200", 0, 0, 200, 3, false, DefaultRule::Fixed, "100"},  // b54
    {155, "Multi-function output RY1", "0~15", 0, 0, 15, 2, false, DefaultRule::Fixed, "0"},  // b55
    {156, "Output frequency at the set value (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "0.00"},  // b56
    {157, "Frequency detection range (Hz)", "0.00~30.00", 3, 0, 3000, 5, false, DefaultRule::Fixed, "0.00"},  // b57
    {158, "Output current set value (A)", "0~100", 0, 0, 100, 3, false, DefaultRule::Fixed, "0"},  // b58
    {159, "Output current detection time (s)", "0.0~25.5", 2, 0, 255, 4, false, DefaultRule::Fixed, "0.0"},  // b59
    {160, "Multi-function output (Transistor) (option)", "0~15", 0, 0, 15, 2, false, DefaultRule::Fixed, "5"},  // b60
    {161, "AIN signal select", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b61
    {162, "AIN Gain (%)", "0~200", 0, 0, 200, 3, false, DefaultRule::Fixed, "100"},  // b62
    {163, "AIN Bias (%)", "0~100", 0, 0, 100, 3, false, DefaultRule::Fixed, "0"},  // b63
    {164, "AIN Bias (+ve/ -ve)", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b64
    {165, "AIN signal slope direction", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b65
    {166, "AIN signal confirm scan time (mSec*8)", "1~100", 0, 1, 100, 3, false, DefaultRule::Fixed, "50"},  // b66
    {167, "PID operation mode", "0~4", 0, 0, 4, 1, false, DefaultRule::Fixed, "0"},  // b67
    {168, "PID Error gain (%)", "0.00~10.00", 3, 0, 1000, 5, false, DefaultRule::Fixed, "1.00"},  // b68
    {169, "P: Proportional gain (%)", "0.0~10.0", 2, 0, 100, 4, false, DefaultRule::Fixed, "1.0"},  // b69
    {170, "I: Integral time (s)", "0.0~100.0", 2, 0, 1000, 5, false, DefaultRule::Fixed, "10.0"},  // b70
    {171, "D: Differential time (s)", "0.00~10.00", 3, 0, 1000, 5, false, DefaultRule::Fixed, "0.00"},  // b71
    {172, "PID Bias", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b72
    {173, "PID Bias adjust (%)", "0~109", 0, 0, 109, 3, false, DefaultRule::Fixed, "0"},  // b73
    {174, "PID Update time (s)", "0.0~2.5", 2, 0, 25, 3, false, DefaultRule::Fixed, "0.0"},  // b74
    {175, "PID Sleep mode threshold (Hz)", "0.00~200.00", 3, 0, 20000, 6, false, DefaultRule::Fixed, "0.00"},  // b75
    {176, "PID Sleep delay time (s)", "0.0~25.5", 2, 0, 255, 4, false, DefaultRule::Fixed, "0.0"},  // b76
    {177, "Inverter communication address", "1~254", 0, 1, 254, 3, true, DefaultRule::Fixed, "1"},  // b77
    {178, "Baud rate (bps)", "0~3", 0, 0, 3, 1, true, DefaultRule::Fixed, "3"},  // b78
    {179, "Stop bit", "0~1", 0, 0, 1, 1, true, DefaultRule::Fixed, "0"},  // b79
    {180, "Parity bit", "0~2", 0, 0, 2, 1, true, DefaultRule::Fixed, "0"},  // b80
    {181, "Data bits", "0~1", 0, 0, 1, 1, true, DefaultRule::Fixed, "0"},  // b81
    {182, "Communication error detection time (s)", "0.0~25.5", 2, 0, 255, 4, true, DefaultRule::Fixed, "0.0"},  // b82
    {183, "Communication error response selection", "0~3", 0, 0, 3, 1, true, DefaultRule::Fixed, "0"},  // b83
    {184, "Remote keypad frequency control source select ", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b84
    {185, "Remote keypad broken cable operation selection", "0~2", 0, 0, 2, 1, false, DefaultRule::Fixed, "0"},  // b85
    {186, "Carrier frequency (kHz)", "4~16", 0, 4, 16, 2, false, DefaultRule::Fixed, "10"},  // b86
    {187, "Fan control", "0~3", 0, 0, 3, 1, false, DefaultRule::Fixed, "1"},  // b87
    {188, "Motor rotation direction", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b88
    {189, "Inverter horse power capacity", "-----------", 1, 0, 999, 3, true, DefaultRule::ModelIndex, ""},  // b89
    {190, "External control operation mode", "0~2", 0, 0, 2, 1, false, DefaultRule::Fixed, "0"},  // b90
    {191, "Reverse run instruction", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b91
    {192, "Stop method", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b92
    {193, "Operation monitor", "0~1", 0, 0, 1, 1, false, DefaultRule::Fixed, "0"},  // b93
    {194, "Copy module", "0~3", 0, 0, 3, 1, true, DefaultRule::Fixed, "0"},  // b94
    {195, "Reset to factory default", "0,10,20", 0, 0, 20, 2, false, DefaultRule::Fixed, "0"},  // b95
    {196, "Software version (Read Only)", "CPU Version", 2, 0, 0, 4, true, DefaultRule::Fixed, "x.x"},  // b96
    {197, "Last 3 fault records", "-----------", 0, 0, 0, 3, true, DefaultRule::Fixed, ""},  // b97
}};

}  // namespace

std::span<const ParameterInfo> ParameterCatalogue() { return kCatalogue; }

}  // namespace telvor
