#include "tests/support/Transfers.h"

#include "meter/MeterRequests.h"

namespace {

void PrintFields(std::ostream& os, int request, int value, int index) {
    os << "req " << std::dec << request << ", value 0x" << std::hex << value << ", index 0x"
       << index << std::dec;
}

void PrintFull(std::ostream& os, int type, int request, int value, int index, int length,
               int timeout) {
    os << "{type 0x" << std::hex << type << ", ";
    PrintFields(os, request, value, index);
    os << ", len " << length << ", timeout " << timeout << "}";
}

}  // namespace

std::vector<Packet> LoggedPackets() {
    std::vector<Packet> out;
    for (const sim::TransferRecord& r : sim::Bus::Instance().Transfers())
        out.push_back({r.requestType, r.request, r.value, r.index, r.length, r.timeout});
    return out;
}

std::vector<Request> LoggedRequests() {
    std::vector<Request> out;
    for (const sim::TransferRecord& r : sim::Bus::Instance().Transfers())
        if (r.requestType != kRequestTypeStandardOut) out.push_back({r.request, r.value, r.index});
    return out;
}

void PrintTo(const Packet& p, std::ostream* os) {
    PrintFull(*os, p.requestType, p.request, p.value, p.index, p.length, p.timeout);
}

void PrintTo(const Request& r, std::ostream* os) {
    *os << "{";
    PrintFields(*os, r.code, r.value, r.index);
    *os << "}";
}

std::ostream& operator<<(std::ostream& os, const Packet& p) {
    PrintTo(p, &os);
    return os;
}

std::ostream& operator<<(std::ostream& os, const Request& r) {
    PrintTo(r, &os);
    return os;
}

namespace sim {
void PrintTo(const TransferRecord& t, std::ostream* os) {
    *os << "bus " << t.bus << " device " << t.address << " ";
    PrintFull(*os, t.requestType, t.request, t.value, t.index, t.length, t.timeout);
    *os << " -> " << t.result;
}
}  // namespace sim
