// The simulated line in the same process: register map, functions, exceptions,
// reset, running values and the faults, frame in and frame out.

#include <gtest/gtest.h>

#include <array>

#include "drive_line.h"
#include "modbus_ascii.h"
#include "parameter_catalogue.h"
#include "sim_options.h"

namespace telvor::sim {
namespace {

using namespace std::chrono_literals;

class DriveLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        line.AddStation(1, 8, true);
        line.AddStation(3, 2, false);
    }
    // The reply to a request built by one of our builders; "" when none.
    template <typename Build>
    std::string Ask(Build build, Clock::time_point at = Clock::now()) {
        std::array<char, kRequestBufferSize> request{};
        const std::size_t length = build(request.data());
        const auto reply = line.Handle({request.data(), length}, at);
        return reply ? reply->bytes : "";
    }
    std::int32_t ReadOne(int station, int reg) {
        const std::string reply = Ask([&](char* r) { return CModbusAscii::ReadRegisters(r, station, reg, 1); });
        if (ValidateReply(reply.data(), reply.size()) != ExchangeResult::ReplyNormal) return -1;
        return RegisterValueOfReply(reply, 0);
    }
    std::string WriteOne(int station, int reg, int value) {
        return Ask([&](char* r) { return CModbusAscii::WriteRegister(r, station, reg, value); });
    }
    DriveLine line;
};

TEST_F(DriveLineTest, RegistersHoldTheCatalogueDefaultsOfTheStationsModel) {
    for (const auto& [station, model, is50Hz] : {std::tuple{1, 8, true}, std::tuple{3, 2, false}}) {
        const ParameterSet defaults = MakeDefaultSet(model, is50Hz);
        for (const ParameterInfo& info : ParameterCatalogue()) {
            if (info.codeIndex == kCodeB89 || info.codeIndex == kCodeB95 || info.codeIndex == kCodeB96) continue;
            EXPECT_EQ(ReadOne(station, RegisterOfParameter(info.codeIndex)),
                      defaults[static_cast<std::size_t>(SlotOfCodeIndex(info.codeIndex))])
                << "station " << station << " code " << info.codeIndex;
        }
        EXPECT_EQ(ReadOne(station, kRegisterCapacityCode), model);
        EXPECT_EQ(ReadOne(station, kRegisterSoftwareVersion), 12);
        EXPECT_EQ(ReadOne(station, 43), 0) << "b95 reads 0";
    }
}

struct ExchangeCase {
    const char* name;
    std::string request;  // without LRC and CR LF
    std::string reply;    // without LRC and CR LF; "" for no reply
};

std::string Framed(const std::string& body) {
    std::string frame = body + "00\r\n";
    const int lrc = ComputeLrc(frame.data(), frame.size()) & 0xFF;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    frame[body.size()] = kDigits[lrc >> 4];
    frame[body.size() + 1] = kDigits[lrc & 0xF];
    return frame;
}

TEST_F(DriveLineTest, AnswersEachFunctionAndGivesTheDrivesExceptions) {
    const ExchangeCase cases[] = {
        {"echo", ":01080000A537", ":01080000A537"},
        {"echo other data", ":010800001234", ":010800001234"},
        {"echo other sub-function", ":01080001A537", ":018851"},
        {"read two", ":010300080002", ":01030413880000"},
        {"read count 0", ":010300080000", ":018353"},
        {"read count 33", ":010300000021", ":018353"},
        {"read unknown register", ":0103012C0001", ":018352"},
        {"read across the end of a block", ":010300FA0002", ":018352"},
        {"write A02 40.00", ":010600080FA0", ":010600080FA0"},
        {"write A02 out of range", ":010600084E21", ":018654"},
        {"write b95 5", ":0106002B0005", ":018654"},
        {"write software version", ":0106002C0001", ":018655"},
        {"write status word", ":010600EF0001", ":018655"},
        {"write unknown register", ":0106012C0001", ":018652"},
        {"write multiple", ":011000080002040FA00064", ":011000080002"},
        {"write multiple, byte count wrong", ":011000080002030FA00064", ":019053"},
        {"write multiple, second out of range", ":011000080002040FA04E21", ":019054"},
        {"function 04", ":010400000001", ":018451"},
        {"station not on the line", ":020300000001", ""},
    };
    for (const auto& c : cases) {
        const std::string request = Framed(c.request);
        const auto reply = line.Handle(request, Clock::now());
        if (c.reply.empty()) {
            EXPECT_FALSE(reply) << c.name;
            continue;
        }
        ASSERT_TRUE(reply) << c.name;
        EXPECT_EQ(reply->bytes, Framed(c.reply)) << c.name;
    }
    EXPECT_EQ(ReadOne(1, 8), 4000) << "the write multiple stored its first value";
    EXPECT_EQ(ReadOne(1, 9), 100);
}

TEST_F(DriveLineTest, IgnoresFramesWithBadChecksumsOrDigits) {
    std::string bad = Framed(":010300000001");
    bad[bad.size() - 3] = bad[bad.size() - 3] == '0' ? '1' : '0';
    EXPECT_FALSE(line.Handle(bad, Clock::now()));
    EXPECT_FALSE(line.Handle(":010300000001fb\r\n", Clock::now()));
    EXPECT_FALSE(line.Handle(":01\r\n", Clock::now()));
}

TEST_F(DriveLineTest, B95ResetsTheStationToTheFiftyOrSixtyHertzDefaults) {
    EXPECT_EQ(ReadOne(1, 8), 5000);
    ASSERT_NE(WriteOne(1, 8, 4000), "");
    ASSERT_EQ(ReadOne(1, 8), 4000);
    EXPECT_EQ(WriteOne(1, 43, 20), Framed(":0106002B0014"));
    EXPECT_EQ(ReadOne(1, 8), 6000);
    EXPECT_EQ(ReadOne(1, 43), 0);
    EXPECT_EQ(WriteOne(1, 43, 10), Framed(":0106002B000A"));
    EXPECT_EQ(ReadOne(1, 8), 5000);
    EXPECT_EQ(ReadOne(1, kRegisterCapacityCode), 8) << "a reset keeps the model";
}

TEST_F(DriveLineTest, RunningValuesFollowTheControlWord) {
    const Clock::time_point start = Clock::now();
    const auto monitor = [&](Clock::time_point at, int k) {
        const std::string reply = Ask([](char* r) { return CModbusAscii::ReadMonitorValues(r, 1); }, at);
        return RegisterValueOfReply(reply, k);
    };
    const auto status = [&](Clock::time_point at, int k) {
        const std::string reply = Ask([](char* r) { return CModbusAscii::ReadStatusWords(r, 1); }, at);
        return RegisterValueOfReply(reply, k);
    };
    EXPECT_EQ(monitor(start, 1), 0) << "stopped: no output frequency";
    EXPECT_EQ(status(start, 0) & 1, 0);
    ASSERT_NE(Ask([](char* r) { return CModbusAscii::WriteRegister(r, 1, 231, 3000); }, start), "");
    // Run, reverse, terminal S1 (bit 5) and RY1 (bit 12).
    ASSERT_NE(Ask([](char* r) { return CModbusAscii::WriteRegister(r, 1, 230, 0x1023); }, start), "");
    const std::int32_t early = monitor(start + 1s, 1);
    const std::int32_t later = monitor(start + 10s, 1);
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 3000);
    EXPECT_EQ(later, 3000) << "reaches the frequency command";
    EXPECT_EQ(monitor(start + 10s, 0), 3000) << "set frequency";
    EXPECT_GT(monitor(start + 10s, 2), 0) << "output voltage";
    EXPECT_GT(monitor(start + 10s, 4), 0) << "output current";
    EXPECT_EQ(status(start + 10s, 0) & 3, 3) << "running, reverse";
    EXPECT_EQ(status(start + 10s, 2), 0x81) << "S1 and RY1";
    ASSERT_NE(Ask([](char* r) { return CModbusAscii::WriteRegister(r, 1, 230, 0); }, start + 10s), "");
    EXPECT_EQ(monitor(start + 30s, 1), 0) << "stops again";
    EXPECT_EQ(status(start + 30s, 0) & 1, 0);
}

TEST_F(DriveLineTest, OutputRampsAtTheDriveTimesWithinItsLimitsAndTripsOnAFault) {
    const Clock::time_point start = Clock::now();
    const auto output = [&](Clock::time_point at) {
        const std::string reply = Ask([](char* r) { return CModbusAscii::ReadMonitorValues(r, 1); }, at);
        return RegisterValueOfReply(reply, 1);
    };
    // A02 40.00 Hz, A03 10.00 Hz, A04 2.0 s, A05 4.0 s; the command 50.00 Hz lies above A02.
    const auto set = [](int codeIndex, int value) {
        return "register 1 " + std::to_string(RegisterOfParameter(codeIndex)) + " " + std::to_string(value);
    };
    for (const std::string& control : {set(2, 4000), set(3, 1000), set(4, 20), set(5, 40),
                                       std::string("register 1 231 5000")})
        ASSERT_TRUE(line.ApplyControl(control, nullptr)) << control;
    ASSERT_NE(WriteOne(1, 230, 1), "");
    (void)output(start);
    struct Step {
        std::chrono::milliseconds at;
        const char* control;  // applied before the reading; "" none
        int written;          // control word written a second before the reading; -1 none
        int expected;
    };
    for (const Step& step : {Step{1s, "", -1, 2000}, Step{3s, "", -1, 4000}, Step{5s, "", 0, 3000},
                             Step{6s, "register 1 231 500", 1, 2000}, Step{8s, "", -1, 1000},
                             Step{9s, "register 1 240 5", -1, 0}, Step{11s, "", 9, 1000}}) {
        if (*step.control) {
            ASSERT_TRUE(line.ApplyControl(step.control, nullptr));
        }
        if (step.written >= 0) {
            ASSERT_NE(Ask([&](char* r) { return CModbusAscii::WriteRegister(r, 1, 230, step.written); },
                          start + step.at - 1s),
                      "");
        }
        EXPECT_NEAR(output(start + step.at), step.expected, 2) << step.at.count() << " ms";
    }
    EXPECT_EQ(ReadOne(1, 240), 0) << "the fault-reset bit cleared the fault";
}

struct FaultCase {
    const char* control;
    int requests;
    std::vector<ExchangeResult> results;  // one per request; ReplyTimeout also for no reply
};

TEST_F(DriveLineTest, FaultsChangeTheRepliesAsNamed) {
    using enum ExchangeResult;
    const FaultCase cases[] = {
        {"fault 1 silent", 2, {ReplyTimeout, ReplyTimeout}},
        {"fault 1 every 3", 6, {ReplyTimeout, ReplyTimeout, ReplyNormal, ReplyTimeout, ReplyTimeout, ReplyNormal}},
        {"fault 1 bad-lrc 2", 3, {ReplyChecksumError, ReplyChecksumError, ReplyNormal}},
        {"fault 1 stray", 1, {ReplyTimeout}},
        {"fault 1 lower-case", 1, {ReplyChecksumError}},
        {"fault 1 half-frame", 1, {ReplyChecksumError}},
        {"fault 1 other-address 9", 1, {ReplyNormal}},
        {"fault 1 delay 250", 1, {ReplyNormal}},
        {"fault 1 silent-after 2", 3, {ReplyNormal, ReplyNormal, ReplyTimeout}},
        {"fault 1 jitter 100", 2, {ReplyNormal, ReplyNormal}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(line.ApplyControl("clear 1", nullptr));
        std::string error;
        ASSERT_TRUE(line.ApplyControl(c.control, &error)) << error;
        for (int i = 0; i < c.requests; ++i) {
            std::array<char, kRequestBufferSize> request{};
            const std::size_t length = CModbusAscii::EchoTest(request.data(), 1);
            const auto reply = line.Handle({request.data(), length}, Clock::now());
            const std::string bytes = reply ? reply->bytes : "";
            EXPECT_EQ(bytes.empty() ? ReplyTimeout : ValidateReply(bytes.data(), bytes.size()),
                      c.results[static_cast<std::size_t>(i)])
                << c.control << " request " << i;
            if (std::string(c.control) == "fault 1 other-address 9") {
                EXPECT_EQ(StationOfReply(bytes), 9);
            }
            if (std::string(c.control) == "fault 1 delay 250") {
                EXPECT_EQ(reply->delay, 250ms);
            }
            if (std::string(c.control) == "fault 1 jitter 100") {
                EXPECT_EQ(reply->delay, i == 1 ? 100ms : 0ms);
            }
            if (std::string(c.control) == "fault 1 stray") {
                EXPECT_EQ(bytes, std::string("\0", 1) + ":01080000A5371B\r\n");
            }
        }
    }
}

TEST_F(DriveLineTest, ControlLinesAreCheckedAndReachEveryStationWithAStar) {
    std::string error;
    EXPECT_FALSE(line.ApplyControl("fault 2 silent", &error));
    EXPECT_NE(error.find("no station 2"), std::string::npos);
    EXPECT_FALSE(line.ApplyControl("fault 1 wobble", &error));
    EXPECT_FALSE(line.ApplyControl("fault 1 every", &error));
    EXPECT_FALSE(line.ApplyControl("fault 1 every x", &error));
    EXPECT_FALSE(line.ApplyControl("jump 1", &error));
    EXPECT_FALSE(line.ApplyControl("register 1 999 1", &error));
    EXPECT_TRUE(line.ApplyControl("", &error));
    EXPECT_TRUE(line.ApplyControl("register 1 0 5", &error));
    EXPECT_EQ(ReadOne(1, 0), 5);
    EXPECT_TRUE(line.ApplyControl("fault * silent", &error));
    EXPECT_TRUE(line.Station(1)->faults.silent);
    EXPECT_TRUE(line.Station(3)->faults.silent);
    EXPECT_TRUE(line.ApplyControl("clear *", &error));
    EXPECT_FALSE(line.Station(3)->faults.silent);
    EXPECT_TRUE(line.ApplyControl("reset 3 50", &error));
    EXPECT_EQ(ReadOne(3, 8), 5000);

    // A drive's own limit, narrower than the catalogue's.
    EXPECT_FALSE(line.ApplyControl("limit 1 999 5", &error));
    EXPECT_TRUE(line.ApplyControl("limit 1 8 5000", &error));
    EXPECT_EQ(WriteOne(1, 8, 5001), Framed(":018654"));
    EXPECT_EQ(WriteOne(1, 8, 5000), Framed(":010600081388"));
}

TEST(ParseStationList, TakesSinglesAndRanges) {
    std::vector<int> stations;
    ASSERT_TRUE(ParseStationList("1,3,5-7", stations));
    EXPECT_EQ(stations, (std::vector<int>{1, 3, 5, 6, 7}));
    ASSERT_TRUE(ParseStationList("254", stations));
    EXPECT_EQ(stations, std::vector<int>{254});
    for (const char* bad : {"", "0", "255", "1,,2", "3-1", "a", "1-", "1,2-300"})
        EXPECT_FALSE(ParseStationList(bad, stations)) << bad;
}

TEST(LineTime, IsTenBitsPerCharacterAtTheBaudRate) {
    EXPECT_EQ(LineTime(17, 15, 38400).count(), 8333);
    EXPECT_EQ(LineTime(17, 17, 9600).count(), 35416);
    EXPECT_EQ(LineTime(17, 15, 0).count(), 0);
}

}  // namespace
}  // namespace telvor::sim
