#pragma once
// The simulated bus's transfer log as the meter, simulator and dialog tests compare it, with one
// way of printing a transfer in a failure message.

#include <ostream>
#include <vector>

#include "sim/Bus.h"

// A whole control transfer as it went out.
struct Packet {
    int requestType, request, value, index, length, timeout;
    friend bool operator==(const Packet&, const Packet&) = default;
};

// The standard SET_CONFIGURATION the link sends to recover a failed transfer.
constexpr Packet kSetConfigPacket{0x00, 9, 1, 0, 0, 100};

// A vendor request as the meter saw it.
struct Request {
    int code, value, index;
    bool operator==(const Request&) const = default;
};

// The log since the last ClearTransfers(), in order.
std::vector<Packet> LoggedPackets();
// The same without the SET_CONFIGURATION requests.
std::vector<Request> LoggedRequests();

// "{type 0xc0, req 41, value 0x0, index 0x0, len 2, timeout 500}"; a Request prints the fields it
// has the same way.
void PrintTo(const Packet& p, std::ostream* os);
void PrintTo(const Request& r, std::ostream* os);
std::ostream& operator<<(std::ostream& os, const Packet& p);
std::ostream& operator<<(std::ostream& os, const Request& r);

namespace sim {
void PrintTo(const TransferRecord& t, std::ostream* os);
}  // namespace sim
