#pragma once
// One measurement record: its texts, the meter's identity and calibration, and four parallel
// series (time, flow, pressure, volume) in display units. A value type: copies are deep.

#include <wx/datetime.h>
#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Parses a record's date text: "7/03/2011 9:05:30" is day/month/year, whatever the locale.
wxDateTime ParseRecordDate(const wxString& dateText);

class Storage {
public:
    // The flow unit is the one the record really stores (see EffectiveFlowUnit in Units.h).
    Storage(const wxString& dateText, int intervalMs, int metricUnits, int reservedFlag,
            int flowUnit, int number);
    virtual ~Storage() = default;
    Storage(const Storage&) = default;
    Storage& operator=(const Storage&) = default;
    // noexcept, so a growing record list moves its series instead of copying them; the texts are
    // copied (the toolkit's strings have no move), and only running out of memory could throw
    // there.
    Storage(Storage&&) noexcept = default;
    Storage& operator=(Storage&&) noexcept = default;

    // A raw meter sample: 14-bit flow count per minute, 10-bit pressure converter count.
    void AddRawSample(int flowRaw, int pressureRaw);
    // A sample already in engineering units (flow per minute in the meter's unit).
    void AddSample(float time, float flowLpm, float pressure, float volume);
    // A sample already in this record's own units (flowUnit, volume in litres or cubic metres), as
    // a workspace file holds it: stored unchanged.
    void AddStoredSample(float time, float flow, float pressure, float volume);
    // Makes room for `count` more samples in each series.
    void Reserve(std::size_t count);

    void GetSample(int index, float& t, float& f, float& p, float& v) const;
    void GetLastSample(float& t, float& f, float& p, float& v) const;
    int GetLength() const { return int(time.size()); }
    float GetLastVolume() const { return volume.empty() ? 0.0f : volume.back(); }

    // Moving average over 2 * halfWidth + 1 samples, rewritten in place in ascending order.
    void Smooth(bool on, int halfWidth);

    std::vector<float> GetTargetX() const;
    std::vector<float> GetTargetY() const;

    void SetPressureScaling(std::uint8_t zero, std::uint8_t rough, std::uint8_t fine,
                            std::uint8_t unit);

    wxString GetTitle() const { return title; }
    wxString GetDateText() const { return dateText; }
    int GetInterval() const { return intervalMs; }
    int GetMetricUnits() const { return metricUnits; }
    std::uint8_t GetReservedFlag() const { return reservedFlag; }
    void SetSerial(int value) { serial = value; }
    int GetSerial() const { return serial; }
    void SetTargetFlow(float value) { targetFlow = value; }
    float GetTargetFlow() const { return targetFlow; }
    bool HasTargetFlow() const { return targetFlow != 0.0f; }

    wxDateTime start;      // parsed from dateText; invalid when it cannot be parsed
    int flowUnit;          // 0..3, fixed at construction
    wxString flowReading;  // last measuring-cursor readings, as shown
    wxString pressureReading;
    wxString info;
    wxString boxText;  // the graph's text box, may span lines
    int boxX = 0;
    int boxY = 0;
    std::uint8_t pressureZero = 0;   // calibration: zero offset in counts
    std::uint8_t pressureRough = 0;  // whole part of the divisor
    std::uint8_t pressureFine = 0;   // hundredths of the divisor
    std::uint8_t pressureUnit = 0;
    wxString title;
    int memoryEnd = 0;  // download bookkeeping, not saved
    bool filtered = false;
    std::vector<float> time;       // seconds
    std::vector<float> flow;       // in flowUnit
    std::vector<float> pressure;   // in pressureUnit
    std::vector<float> volume;     // litres, or cubic metres for flow unit 2
    std::vector<float> flowSaved;  // unfiltered copies while filtered
    std::vector<float> pressureSaved;
    std::vector<float> volumeSaved;
    float volumeTotal = 0.0f;
    int sampleCount = 0;
    std::uint8_t reservedFlag;
    int metricUnits;  // 1 litres, otherwise US gallons
    int intervalMs;
    wxString dateText;
    int serial = 0;
    float targetFlow = 0.0f;  // 0: none
};
