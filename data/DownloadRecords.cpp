#include "data/DownloadRecords.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>

#include "data/BaseOnly.h"
#include "data/Units.h"
#include "data/Workspace.h"

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
        // The texts are ASCII: widened by hand, as the toolkit's conversions allocate several
        // times for each record.
        const std::string date = FormatEventDate(event.entry);
        wchar_t wide[64];
        const std::size_t length = std::min(date.size(), std::size(wide));
        std::copy_n(date.begin(), length, wide);
        Storage& r = records.emplace_back(wxString(wide, length), memory.intervalMs, metric, 0,
                                          flowUnit, number);
        r.SetPressureScaling(s.pressureZero, s.pressureRough, s.pressureFine, s.pressureUnit);
        const std::wstring digits = std::to_wstring(number);
        r.title.clear();
        r.title.reserve(8 + digits.size());
        r.title.append(L"Memoria ").append(digits.c_str(), digits.size());
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

bool WorkspaceHolds(const wxString& path, const std::vector<Storage>& records, wxString* why) {
    auto fail = [&](const wxString& text) {
        if (why != nullptr) *why = text;
        return false;
    };
    Preferences scratch;
    const WorkspaceReadResult back = ReadWorkspace(path, scratch);
    if (!back.Ok()) return fail(back.error);
    if (back.Damaged()) return fail(back.damage);
    if (back.records.size() != records.size())
        return fail(
            wxString::Format("%zu records instead of %zu", back.records.size(), records.size()));
    // A value as the file keeps it: six decimals, read back as a float.
    auto asSaved = [](float value) {
        char text[64];
        const auto end =
            std::to_chars(text, text + sizeof text, double(value), std::chars_format::fixed, 6).ptr;
        float back = 0;
        std::from_chars(text, end, back);
        return back;
    };
    const std::vector<float> Storage::*series[] = {&Storage::time, &Storage::flow,
                                                   &Storage::pressure, &Storage::volume};
    for (std::size_t k = 0; k < records.size(); ++k) {
        const Storage& want = records[k];
        const Storage& got = back.records[k];
        if (got.title != want.title || got.dateText != want.dateText ||
            got.GetLength() != want.GetLength())
            return fail(want.title + ": title, date or number of samples differ");
        for (auto s : series)
            for (std::size_t i = 0; i < (want.*s).size(); ++i)
                if ((got.*s)[i] != asSaved((want.*s)[i]))
                    return fail(wxString::Format("%s: sample %zu differs", want.title, i));
    }
    return true;
}
