#pragma once
// A line of simulated drives: turns each request frame received into the reply
// frame to send (with the station's faults applied), and takes control lines
// that change the line while it runs.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "simulated_drive.h"

namespace telvor::sim {

struct LineReply {
    std::string bytes;                // what goes out on the line
    std::chrono::milliseconds delay;  // the station's extra delay
};

// The frame of a PDU from a station: ":", address, PDU in upper-case hex, LRC, CR LF.
std::string EncodeFrame(int station, const Bytes& pdu);

class DriveLine {
public:
    void AddStation(int station, int model, bool is50Hz);
    // nullptr when the line has no such station.
    SimulatedDrive* Station(int station);
    const std::map<int, SimulatedDrive>& Stations() const { return stations_; }

    // The reply to one received frame (from ":" to LF), or nothing: a frame with
    // bad digits or a wrong LRC, or for a station that is not on the line or is
    // kept silent by its faults, gets no answer.
    std::optional<LineReply> Handle(std::string_view frame, Clock::time_point now);

    // "fault STATION NAME [ARG]" (names as ApplyFault), "clear STATION",
    // "register STATION REG VALUE", "limit STATION REG MAX", "reset STATION 50|60", "max-count STATION N",
    // "single-only STATION REG". STATION may be "*" for all.
    bool ApplyControl(std::string_view line, std::string* error);

private:
    std::map<int, SimulatedDrive> stations_;
};

}  // namespace telvor::sim
