#include "data/CsvExport.h"

#include <algorithm>

#include "data/AtomicFile.h"
#include "data/BaseOnly.h"
#include "data/NumberText.h"
#include "data/Units.h"

wxString CsvDefaultFileName(const wxString& dateText) {
    wxString name = dateText;
    for (const char* c : {":", "/", ".", ",", "'"}) name.Replace(c, "_");
    return name;
}

wxString CsvPathWithExtension(const wxString& path) {
    return path.Contains(".csv") ? path : path + ".csv";
}

namespace {

void Put(AtomicFile& out, const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    out.Write(utf8.data(), utf8.length());
}

}  // namespace

ExportLabels ChooseExportLabels(const Storage& record) {
    return {CsvFlowLabel(record.metricUnits, record.flowUnit),
            CsvVolumeLabel(record.metricUnits, record.flowUnit),
            PressureShortLabel(record.pressureUnit)};
}

bool WriteCsv(const wxString& path, const Storage& record, wxString* error) {
    AtomicFile out(path);
    if (out.IsOpen()) {
        const ExportLabels labels = ChooseExportLabels(record);
        const wxString& flowLabel = labels.flow;
        const wxString& volumeLabel = labels.volume;
        const wxString& pressureLabel = labels.pressure;
        Put(out, "File Name," + path + "\n");
        Put(out, "Title," + record.title + " " + record.dateText + "\n");
        Put(out, "Information," + record.info + "\n");
        Put(out, "Flow Measurement," + record.flowReading + "," + flowLabel + "\n");
        Put(out, "Pressure Measurement," + record.pressureReading + "," + pressureLabel + "\n");
        Put(out, "Tempo (s), portata(" + flowLabel + "), Volume (" + volumeLabel + "), Pressione(" +
                     pressureLabel + ")\n");
        const std::size_t count = std::min(
            {record.time.size(), record.flow.size(), record.pressure.size(), record.volume.size()});
        for (std::size_t i = 0; i < count; ++i) {
            char* p = out.Room(4 * kMaxNumberText + 4);
            std::size_t n = FormatFixed2(record.time[i], p);
            p[n++] = ',';
            n += FormatFixed2(record.flow[i], p + n);
            p[n++] = ',';
            n += FormatFixed2(record.volume[i], p + n);
            p[n++] = ',';
            n += FormatFixed2(record.pressure[i], p + n);
            p[n++] = '\n';
            out.Advance(n);
        }
        if (out.Commit()) return true;
    }
    if (error != nullptr) *error = out.Error();
    return false;
}
