#include "Preload.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "Bus.h"
#include "Scenario.h"

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
        Scenario::Load(path).PlugInto(bus);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hvx-sim: %s; the simulated bus is empty\n", e.what());
    }
}

}  // namespace sim
