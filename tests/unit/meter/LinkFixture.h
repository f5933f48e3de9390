#pragma once
// KestUSB against the simulated meter at the libusb 0.1 boundary: every test starts from an empty
// bus and ends with no device handle left open.

#include <gtest/gtest.h>

#include <vector>

#include "meter/KestUSB.h"
#include "sim/Bus.h"
#include "tests/support/Transfers.h"

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { bus().Reset(); }
    void TearDown() override {
        EXPECT_EQ(bus().OpenHandles(), 0) << "a device handle outlived its operation";
        bus().Reset();
    }

    static sim::Bus& bus() { return sim::Bus::Instance(); }

    static std::vector<Packet> Packets() { return LoggedPackets(); }

    // Finds the meter once so later transfer logs hold only the operation under test.
    static void Warm(KestUSB& link) {
        ASSERT_NE(link.GetFirmwareVersion(), nullptr);
        bus().ClearTransfers();
    }
};
