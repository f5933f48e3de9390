#include "data/DownloadRecords.h"

#include "data/BaseOnly.h"
#include "data/Units.h"

void ApplyDownloadSettings(Preferences& prefs, uint16_t versionWord,
                           std::span<const uint8_t> block) {
    prefs.firmwareVersion = versionWord;
    const std::optional<SettingsBlock> settings = DecodeSettingsBlock(block);
    if (!settings) return;
    ApplyMeterFlowUnit(prefs, block.data(), block.size());
    prefs.metricUnits = settings->metricUnits() ? 1 : 0;
    prefs.pressureUnit = settings->pressureUnit;
    if (settings->serial) prefs.serial = *settings->serial;
}

std::vector<Storage> RecordsFromLog(const LoggedMemory& memory, int flowUnit) {
    const SettingsBlock& s = memory.settings;
    const int metric = s.metricUnits() ? 1 : 0;
    const int serial = s.serial.value_or(0);
    std::vector<Storage> records;
    records.reserve(memory.table.events.size());
    int number = 0;
    for (const LoggedEvent& event : memory.table.events) {
        ++number;
        Storage& r = records.emplace_back(wxString::FromAscii(FormatEventDate(event.entry).c_str()),
                                          memory.intervalMs, metric, 0, flowUnit, number);
        r.SetPressureScaling(s.pressureZero, s.pressureRough, s.pressureFine, s.pressureUnit);
        r.title = wxString("Memoria ") << number;
        r.SetSerial(serial);
        r.memoryEnd = static_cast<int>(event.end);
        const uint32_t count = event.SampleCount();
        r.Reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            const RawSample sample = memory.Sample(event, i);
            r.AddRawSample(sample.flow, sample.pressure);
        }
    }
    return records;
}
