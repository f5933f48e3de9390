#include "sim/Scenario.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "meter/Bcd.h"
#include "meter/SampleRate.h"
#include "sim/ClockMath.h"
#include "sim/ShapeGenerator.h"

namespace sim {

namespace {

struct UnitName {
    std::string_view name;
    int code;
};
constexpr UnitName kPressureUnits[] = {{"psi", kPressurePsi},
                                       {"bar", kPressureBar},
                                       {"mh2o", kPressureMetresWater},
                                       {"kpa", kPressureKpa}};
constexpr UnitName kFlowUnits[] = {{"lpm", 1}, {"lps", 2}, {"m3h", 4}, {"gpm", 8}, {"none", 0}};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

}  // namespace

class ScenarioParser {
public:
    ScenarioParser(Scenario& s, std::string name) : s_(s), name_(std::move(name)) {}

    void Line(int number, const std::vector<std::string>& w) {
        line_ = number;
        words_ = &w;
        const std::string& key = w[0];
        SettingsBlock st = s_.meter_.Settings();
        if (key == "firmware") {
            Args(1);
            // The firmware picks the settings block's form, which the other lines fill in.
            if (settingsSeen_) Fail("'firmware' must come before the settings");
            s_.meter_.SetFirmwareVersion(static_cast<uint16_t>(Int(1, 0, 0xFFFF)));
            return;
        } else if (key == "serial") {
            Args(1);
            st.serial = static_cast<uint16_t>(Int(1, 0, 0xFFFF));
        } else if (key == "manufactured") {
            Args(1);
            const DateTime d = Date(1);
            st.manufactureDate =
                std::array<uint8_t, 3>{ToBcd(d.day), ToBcd(d.month), ToBcd(d.year - 2000)};
        } else if (key == "units") {
            Args(1);
            const std::string& u = w[1];
            if (u != "metric" && u != "gallons")
                Fail("units must be metric or gallons, not '" + u + "'");
            st.state = static_cast<uint8_t>((st.state & ~1) | (u == "metric" ? 1 : 0));
        } else if (key == "pressure-unit") {
            Args(1);
            st.pressureUnit = static_cast<uint8_t>(Named(1, kPressureUnits));
        } else if (key == "flow-unit") {
            Args(1);
            const int bit = Named(1, kFlowUnits);
            st.unitMarker = bit == 0 ? 0 : kFlowUnitMarker;
            st.flowUnitBit = static_cast<uint8_t>(bit);
        } else if (key == "interval-ms") {
            Args(1);
            st.rateCode =
                static_cast<uint16_t>(CodeFromIntervalMs(Int(1, 1, IntervalMsFromCode(0))));
        } else if (key == "rate-code") {
            Args(1);
            st.rateCode = static_cast<uint16_t>(Int(1, 0, 0xFFFF));
        } else if (key == "clock") {
            if ((w.size() != 3 && w.size() != 5) || (w.size() == 5 && w[3] != "fourth"))
                Fail("expected: clock YYYY-MM-DD HH:MM:SS [fourth N]");
            DateTime t = DateAndTime(1);
            s_.meter_.SetClock(t, w.size() == 5 ? static_cast<uint8_t>(Int(4, 0, 255)) : 0);
            s_.hasClock_ = true;
            return;
        } else if (key == "battery") {
            Args(1);
            s_.meter_.SetBattery(static_cast<uint16_t>(Int(1, 0, 0xFFFF)));
            return;
        } else if (key == "calibration") {
            Args(3);
            st.pressureZero = static_cast<uint8_t>(Int(1, 0, 255));
            st.pressureRough = static_cast<uint8_t>(Int(2, 0, 255));
            st.pressureFine = static_cast<uint8_t>(Int(3, 0, 255));
        } else if (key == "flow-on" || key == "flow-off") {
            Args(2);
            (key == "flow-on" ? st.flowOnThreshold : st.flowOffThreshold) =
                static_cast<uint16_t>(Int(1, 0, 0xFFFF));
            (key == "flow-on" ? st.flowOnDelay : st.flowOffDelay) =
                static_cast<uint16_t>(Int(2, 0, 0xFFFF));
        } else if (key == "auto-log") {
            Args(1);
            if (w[1] != "on" && w[1] != "off") Fail("auto-log must be on or off");
            st.state = static_cast<uint8_t>((st.state & ~2) | (w[1] == "on" ? 2 : 0));
        } else if (key == "median-clamp") {
            Args(2);
            st.medianLength = static_cast<uint8_t>(Int(1, 0, 255));
            st.flowClamp = static_cast<uint8_t>(Int(2, 0, 255));
        } else if (key == "display") {
            Args(1);
            st.displayAlternation = static_cast<uint8_t>(Int(1, 0, 255));
        } else if (key == "volume-range") {
            Args(1);
            st.volumeRange = static_cast<uint8_t>(Int(1, 0, 255));
        } else if (key == "error-code") {
            Args(1);
            s_.meter_.SetErrorCode(static_cast<uint8_t>(Int(1, 0, 255)));
            return;
        } else if (key == "pressure-adc") {
            Args(1);
            s_.meter_.SetPressureAdc(static_cast<uint16_t>(Int(1, 0, 0xFFFF)));
            return;
        } else if (key == "bus") {
            Args(1);
            s_.bus_ = Int(1, 1, 127);
            return;
        } else if (Fault(key)) {
            return;
        } else if (key == "live") {
            if (w.size() != 5 || w[1] != "flow" || w[3] != "pressure")
                Fail("expected: live flow F pressure P");
            live_ = {Number(2), Number(4)};
            return;
        } else if (key == "event") {
            if (image_) Fail("'event' cannot be combined with 'memory-image'");
            Event();
            return;
        } else if (key == "memory-image") {
            Args(1);
            if (!events_.empty()) Fail("'memory-image' cannot be combined with 'event'");
            LoadImage(w[1]);
            settingsSeen_ = true;
            return;
        } else if (key == "samples") {
            if (events_.empty() || events_.back().shape.kind != Shape::Kind::Samples)
                Fail("'samples' continues an 'event ... samples' line");
            RawSamples(1, events_.back().shape.samples);
            return;
        } else {
            Fail("unknown keyword '" + key + "'");
        }
        s_.meter_.SetSettings(st);
        settingsSeen_ = true;
    }

    // Faults for end-to-end runs, which reach the bus only through the scenario.
    bool Fault(const std::string& key) {
        using Arm = void (Bus::*)(int);
        static const std::pair<const char*, Arm> kFaults[] = {
            {"time-out-transfers", &Bus::TimeOutNextTransfers},
            {"zero-byte-transfers", &Bus::ZeroByteNextTransfers},
            {"refuse-set-configuration", &Bus::RefuseSetConfiguration},
            {"fail-opens", &Bus::FailNextOpens},
            {"unplug-after", &Bus::UnplugAfterTransfers},
        };
        if (key == "fail-transfers") {
            Args(1);
            const int n = Int(1, 0, 1'000'000);
            s_.faults_.push_back([n](Bus& bus) { bus.FailNextTransfers(n); });
            return true;
        }
        if (key == "short-replies") {
            Args(2);
            const int n = Int(1, 0, 1'000'000), bytes = Int(2, 0, 255);
            s_.faults_.push_back([n, bytes](Bus& bus) { bus.ShortReplyNextTransfers(n, bytes); });
            return true;
        }
        for (const auto& [name, arm] : kFaults) {
            if (key != name) continue;
            Args(1);
            const int n = Int(1, 0, 1'000'000);
            s_.faults_.push_back([n, arm = arm](Bus& bus) { (bus.*arm)(n); });
            return true;
        }
        return false;
    }

    void Finish() {
        const SettingsBlock st = s_.meter_.Settings();
        const PressureScale scale{st.pressureZero, st.pressureRough, st.pressureFine,
                                  st.pressureUnit};
        const int intervalMs = IntervalMsFromCode(st.rateCode);
        for (std::size_t k = 0; k < events_.size(); ++k) {
            line_ = events_[k].line;
            const std::vector<RawSample> samples =
                Generate(events_[k].shape, scale, intervalMs, static_cast<unsigned>(k));
            if (!s_.meter_.AddEvent(events_[k].start, samples))
                Fail("the event does not fit in the meter's memory");
            s_.events_.push_back({events_[k].start, samples});
        }
        if (live_) {
            const auto [flow, pressure] = *live_;
            s_.meter_.SetLiveSource(LiveGenerator(flow, pressure, scale));
        }
    }

private:
    struct PendingEvent {
        int line;
        DateTime start;
        Shape shape;
    };

    [[noreturn]] void Fail(const std::string& message) const {
        throw ScenarioError(name_ + ":" + std::to_string(line_) + ": " + message);
    }

    void Args(std::size_t n) const {
        if (words_->size() != n + 1)
            Fail("'" + (*words_)[0] + "' takes " + std::to_string(n) +
                 (n == 1 ? " value" : " values"));
    }

    const std::string& Word(std::size_t i) const {
        if (i >= words_->size()) Fail("missing value after '" + words_->back() + "'");
        return (*words_)[i];
    }

    int Int(std::size_t i, int lo, int hi) const { return IntText(Word(i), lo, hi); }

    int IntText(const std::string& text, int lo, int hi) const {
        int base = 10;
        std::string_view digits = text;
        if (digits.starts_with("0x") || digits.starts_with("0X")) {
            base = 16;
            digits.remove_prefix(2);
        }
        long value = 0;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
        if (ec != std::errc{} || end != digits.data() + digits.size() || digits.empty())
            Fail("'" + text + "' is not a whole number");
        if (value < lo || value > hi)
            Fail("'" + text + "' is outside " + std::to_string(lo) + ".." + std::to_string(hi));
        return static_cast<int>(value);
    }

    double Number(std::size_t i) const {
        const std::string& text = Word(i);
        double value = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) ||
            value < 0)
            Fail("'" + text + "' is not a number of zero or more");
        return value;
    }

    template <std::size_t N>
    int Named(std::size_t i, const UnitName (&table)[N]) const {
        const std::string& text = Word(i);
        for (const UnitName& u : table)
            if (u.name == text) return u.code;
        std::string names;
        for (const UnitName& u : table) names += (names.empty() ? "" : ", ") + std::string(u.name);
        Fail("'" + text + "' is not one of " + names);
    }

    DateTime Date(std::size_t i) const {
        DateTime t;
        const std::string& text = Word(i);
        char tail = 0;
        if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &t.year, &t.month, &t.day, &tail) != 3 ||
            t.year < 2000 || t.year > 2099 || !IsValidDate(t))
            Fail("'" + text + "' is not a date YYYY-MM-DD between 2000 and 2099");
        return t;
    }

    DateTime DateAndTime(std::size_t i) const {
        DateTime t = Date(i);
        const std::string& text = Word(i + 1);
        char tail = 0;
        if (std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &t.hour, &t.minute, &t.second, &tail) != 3 ||
            !IsValidDate(t))
            Fail("'" + text + "' is not a time HH:MM:SS");
        return t;
    }

    void RawSamples(std::size_t from, std::vector<RawSample>& out) const {
        for (std::size_t i = from; i < words_->size(); ++i) {
            const std::string& text = (*words_)[i];
            const auto slash = text.find('/');
            if (slash == std::string::npos) Fail("sample '" + text + "' is not FLOW/PRESSURE");
            out.push_back({IntText(text.substr(0, slash), 0, 0x3FFF),
                           IntText(text.substr(slash + 1), 0, 0x3FF)});
        }
    }

    // The meter's whole memory as `hvx-probe --dump` writes it, relative to the scenario file.
    void LoadImage(const std::string& file) {
        std::filesystem::path where(file);
        if (where.is_relative()) where = std::filesystem::path(name_).parent_path() / where;
        const std::string path = where.string();
        std::ifstream in(where, std::ios::binary);
        if (!in) Fail("cannot read memory image '" + path + "'");
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (bytes.size() != kMemorySize)
            Fail("memory image '" + path + "' holds " + std::to_string(bytes.size()) +
                 " bytes instead of " + std::to_string(kMemorySize));
        std::copy(bytes.begin(), bytes.end(), s_.meter_.MutableMemory().begin());
        image_ = true;
    }

    void Event() {
        PendingEvent e{line_, DateAndTime(1), {}};
        const std::string& kind = Word(3);
        const auto& w = *words_;
        auto expect = [&](std::size_t i, const char* word) {
            if (Word(i) != word)
                Fail(std::string("expected '") + word + "' instead of '" + w[i] + "'");
        };
        if (kind == "samples") {
            e.shape.kind = Shape::Kind::Samples;
            RawSamples(4, e.shape.samples);
        } else if (kind == "constant") {
            if (w.size() != 9) Fail("expected: event DATE TIME constant SECONDS flow F pressure P");
            e.shape.kind = Shape::Kind::Constant;
            e.shape.hold = Number(4);
            expect(5, "flow");
            e.shape.flow = Number(6);
            expect(7, "pressure");
            e.shape.staticPressure = Number(8);
        } else if (kind == "hydrant") {
            if (w.size() != 16)
                Fail(
                    "expected: event DATE TIME hydrant static P residual P flow F rise S hold S "
                    "fall S");
            e.shape.kind = Shape::Kind::Hydrant;
            const char* keys[] = {"static", "residual", "flow", "rise", "hold", "fall"};
            double* values[] = {&e.shape.staticPressure, &e.shape.residualPressure,
                                &e.shape.flow,           &e.shape.rise,
                                &e.shape.hold,           &e.shape.fall};
            for (std::size_t k = 0; k < 6; ++k) {
                expect(4 + 2 * k, keys[k]);
                *values[k] = Number(5 + 2 * k);
            }
        } else {
            Fail("unknown event shape '" + kind + "' (samples, constant or hydrant)");
        }
        events_.push_back(std::move(e));
    }

    Scenario& s_;
    std::string name_;
    int line_ = 0;
    const std::vector<std::string>* words_ = nullptr;
    std::vector<PendingEvent> events_;
    std::optional<std::pair<double, double>> live_;
    bool settingsSeen_ = false;
    bool image_ = false;
};

Scenario Scenario::Parse(std::string_view text, const std::string& name) {
    Scenario s;
    ScenarioParser parser(s, name);
    std::istringstream in{std::string(text)};
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::vector<std::string> words = Words(line);
        if (!words.empty()) parser.Line(number, words);
    }
    parser.Finish();
    return s;
}

Scenario Scenario::Load(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw ScenarioError("cannot read scenario file '" + path + "'");
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str(), path);
}

Meter& Scenario::PlugInto(Bus& bus) const {
    Meter& meter = bus.PlugMeter(bus_);
    meter = meter_;
    for (const auto& arm : faults_) arm(bus);
    return meter;
}

}  // namespace sim
