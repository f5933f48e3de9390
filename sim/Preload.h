#pragma once
// The simulator loaded in place of libusb: on first use it reads the scenario named by
// HVX_SIM_SCENARIO, plugs its meter and lets the meter's clock follow real time.

namespace sim {
void PreloadOnce();
}
