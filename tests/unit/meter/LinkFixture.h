#pragma once
// KestUSB against the simulated meter at the libusb 0.1 boundary: every test starts from an empty
// bus and ends with no device handle left open.

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "meter/KestUSB.h"
#include "sim/Bus.h"

struct Packet {
    int requestType, request, value, index, length, timeout;
    friend bool operator==(const Packet&, const Packet&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Packet& p) {
        return os << std::hex << "{type 0x" << p.requestType << ", req " << std::dec << p.request
                  << ", value 0x" << std::hex << p.value << ", index 0x" << p.index << std::dec
                  << ", len " << p.length << ", timeout " << p.timeout << "}";
    }
};

constexpr Packet kSetConfigPacket{0x00, 9, 1, 0, 0, 100};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { bus().Reset(); }
    void TearDown() override {
        EXPECT_EQ(bus().OpenHandles(), 0) << "a device handle outlived its operation";
        bus().Reset();
    }

    static sim::Bus& bus() { return sim::Bus::Instance(); }

    static std::vector<Packet> Packets() {
        std::vector<Packet> out;
        for (const sim::TransferRecord& r : bus().Transfers())
            out.push_back({r.requestType, r.request, r.value, r.index, r.length, r.timeout});
        return out;
    }

    // Finds the meter once so later transfer logs hold only the operation under test.
    static void Warm(KestUSB& link) {
        ASSERT_NE(link.GetFirmwareVersion(), nullptr);
        bus().ClearTransfers();
    }
};
