#pragma once
// A simulated meter described in a small text format (see sim/scenarios/README.md): firmware,
// settings, clock, battery, live readings and logged events, given sample by sample or generated
// (a constant run, a hydrant flow test). Errors name the file and line.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Bus.h"
#include "sim/Meter.h"

namespace sim {

class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An event as the scenario describes it, before it is written into the meter's memory.
struct ScenarioEvent {
    DateTime start;
    std::vector<RawSample> samples;
};

class Scenario {
public:
    // Throws ScenarioError ("name:line: message").
    static Scenario Parse(std::string_view text, const std::string& name = "scenario");
    static Scenario Load(const std::string& path);

    const Meter& meter() const { return meter_; }
    int busNumber() const { return bus_; }
    bool hasClock() const { return hasClock_; }
    // Oldest first; empty for a scenario that loads a memory image.
    const std::vector<ScenarioEvent>& events() const { return events_; }

    // Plugs a copy of the scenario's meter into the bus, arms the scenario's faults on the bus and
    // returns the meter.
    Meter& PlugInto(Bus& bus) const;

private:
    Meter meter_;
    int bus_ = 1;
    bool hasClock_ = false;
    std::vector<ScenarioEvent> events_;
    std::vector<std::function<void(Bus&)>> faults_;
    friend class ScenarioParser;
};

}  // namespace sim
