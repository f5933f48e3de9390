#pragma once
// The straightforward C library implementation of the workspace and CSV formats, kept as the
// yardstick the program's own writers and reader are measured and checked against. Run it in the C
// locale.

#include <cstdio>
#include <string>
#include <vector>

#include "data/CsvExport.h"
#include "data/Units.h"
#include "data/Workspace.h"

namespace cref {

inline const char* Utf8(const wxString& s, std::string& keep) {
    keep = std::string(s.utf8_str());
    return keep.c_str();
}

inline bool WriteWorkspace(const char* path, const std::vector<Storage>& records) {
    FILE* f = std::fopen(path, "w");
    if (f == nullptr) return false;
    std::string keep;
    std::fprintf(f, "%d\n", 480000);
    std::fprintf(f, "%d\n", int(records.size()));
    for (const Storage& r : records) {
        std::fprintf(f, "%s\n", Utf8(r.title, keep));
        std::fprintf(f, "%s\n", Utf8(r.dateText, keep));
        std::fprintf(f, "%s\n", Utf8(r.info, keep));
        std::fprintf(f, "%d\n", r.serial);
        for (unsigned code : TextBoxCodes(r.boxText)) std::fprintf(f, "%d ", int(code));
        std::fprintf(f, "%d \n", 0);
        std::fprintf(f, "%d %d\n", r.boxX, r.boxY);
        std::fprintf(f, "%f\n", double(r.targetFlow));
        std::fprintf(f, "%d\n", r.intervalMs);
        std::fprintf(f, "%d\n", int(r.pressureUnit));
        std::fprintf(f, "%d %d\n", r.metricUnits, r.flowUnit);
        std::fprintf(f, "%d\n", int(r.reservedFlag));
        std::fprintf(f, "%d\n", r.GetLength());
        for (int i = 0; i < r.GetLength(); ++i) {
            float t, fl, p, v;
            r.GetSample(i, t, fl, p, v);
            std::fprintf(f, "%f %f %f %f\n", double(t), double(fl), double(p), double(v));
        }
    }
    return std::fclose(f) == 0;
}

// Reads a version-4 file the way the original reader does, with fgets and fscanf.
inline std::vector<Storage> ReadWorkspace(const char* path) {
    std::vector<Storage> records;
    FILE* f = std::fopen(path, "r");
    if (f == nullptr) return records;
    int version = 0, count = 0;
    if (std::fscanf(f, "%d\n%d\n", &version, &count) != 2) count = 0;
    std::vector<char> line(1 << 16);
    auto text = [&]() {
        if (std::fgets(line.data(), int(line.size()), f) == nullptr) return wxString();
        std::string s(line.data());
        if (!s.empty() && s.back() == '\n') s.pop_back();
        return wxString::FromUTF8(s);
    };
    for (int t = 0; t < count; ++t) {
        const wxString title = text();
        const wxString date = text();
        const wxString info = text();
        int serial = 0, code = 0, boxX = 0, boxY = 0, interval = 0, pressureUnit = 0, metric = 0,
            flowUnit = 0;
        int reserved = 0, n = 0;
        float target = 0;
        std::fscanf(f, "%d\n", &serial);
        std::vector<unsigned> codes;
        while (std::fscanf(f, "%d ", &code) == 1 && code != 0) codes.push_back(unsigned(code));
        std::fscanf(f, "%d %d\n%f\n%d\n%d\n%d %d\n%d\n%d\n", &boxX, &boxY, &target, &interval,
                    &pressureUnit, &metric, &flowUnit, &reserved, &n);
        Storage& r = records.emplace_back(date, interval, metric, reserved != 0, 0, t + 1);
        r.title = title;
        r.info = info;
        r.serial = serial;
        r.boxText = TextBoxFromCodes(codes);
        r.boxX = boxX;
        r.boxY = boxY;
        r.targetFlow = target;
        r.pressureUnit = std::uint8_t(pressureUnit);
        for (int i = 0; i < n; ++i) {
            float a, b, c, d;
            if (std::fscanf(f, "%f %f %f %f\n", &a, &b, &c, &d) != 4) break;
            r.AddSample(a, b, c, d);
        }
    }
    std::fclose(f);
    return records;
}

inline bool WriteCsv(const char* path, const Storage& r) {
    FILE* f = std::fopen(path, "w");
    if (f == nullptr) return false;
    std::string k1, k2, k3;
    const wxString flowLabel = CsvFlowLabel(r.metricUnits, r.flowUnit);
    const wxString volumeLabel = CsvVolumeLabel(r.metricUnits, r.flowUnit);
    const wxString pressureLabel = PressureShortLabel(r.pressureUnit);
    std::fprintf(f, "File Name,%s\n", path);
    std::fprintf(f, "Title,%s %s\n", Utf8(r.title, k1), Utf8(r.dateText, k2));
    std::fprintf(f, "Information,%s\n", Utf8(r.info, k1));
    std::fprintf(f, "Flow Measurement,%s,%s\n", Utf8(r.flowReading, k1), Utf8(flowLabel, k2));
    std::fprintf(f, "Pressure Measurement,%s,%s\n", Utf8(r.pressureReading, k1),
                 Utf8(pressureLabel, k2));
    std::fprintf(f, "Tempo (s), portata(%s), Volume (%s), Pressione(%s)\n", Utf8(flowLabel, k1),
                 Utf8(volumeLabel, k2), Utf8(pressureLabel, k3));
    for (int i = 0; i < r.GetLength(); ++i) {
        float t, fl, p, v;
        r.GetSample(i, t, fl, p, v);
        std::fprintf(f, "%.2f,%.2f,%.2f,%.2f\n", double(t), double(fl), double(v), double(p));
    }
    return std::fclose(f) == 0;
}

}  // namespace cref
