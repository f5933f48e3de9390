#include "sim/Preload.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <string>

#include "sim/Bus.h"
#include "sim/Scenario.h"

namespace sim {

namespace {

const Meter* pluggedMeter = nullptr;

// The memory as the meter holds it when the program ends, so a test outside the process can see
// what the program did to it (an erase, for one). Written beside and renamed, so a reader never
// finds half an image.
void WriteMemoryAtExit() {
    const char* path = std::getenv("HVX_SIM_MEMORY_OUT");
    if (pluggedMeter == nullptr || path == nullptr || *path == '\0') return;
    const std::string partial = std::string(path) + ".partial";
    const auto& memory = pluggedMeter->Memory();
    bool written = false;
    if (std::FILE* out = std::fopen(partial.c_str(), "wb")) {
        written = std::fwrite(memory.data(), 1, memory.size(), out) == memory.size();
        written = std::fclose(out) == 0 && written;
    }
    if (!written || std::rename(partial.c_str(), path) != 0) {
        std::fprintf(stderr, "hvx-sim: cannot write the meter's memory to %s\n", path);
        std::remove(partial.c_str());
    }
}

}  // namespace

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
        // Registered after the bus came to be, so it runs before the bus goes.
        pluggedMeter = &meter;
        std::atexit(WriteMemoryAtExit);
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
