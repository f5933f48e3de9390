#include "sim/Preload.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>

#include "sim/Bus.h"
#include "sim/Scenario.h"

namespace sim {

void PreloadOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    Bus& bus = Bus::Instance();
    bus.FollowRealTime(true);
    const char* path = std::getenv("HVX_SIM_SCENARIO");
    if (path == nullptr || *path == '\0') {
        std::fprintf(stderr, "hvx-sim: HVX_SIM_SCENARIO is not set; the simulated bus is empty\n");
        return;
    }
    try {
        const Scenario scenario = Scenario::Load(path);
        Meter& meter = scenario.PlugInto(bus);
        if (!scenario.hasClock()) {
            // Without a clock line the demo meter shows the computer's local time, as a set meter
            // would.
            const std::time_t now = std::time(nullptr);
            std::tm local{};
#ifdef _WIN32
            localtime_s(&local, &now);
#else
            localtime_r(&now, &local);
#endif
            meter.SetClock({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                            local.tm_min, std::min(local.tm_sec, 59)});
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hvx-sim: %s; the simulated bus is empty\n", e.what());
    }
}

}  // namespace sim
