#include "data/StatisticsText.h"

#include <wx/datetime.h>

#include <algorithm>
#include <cmath>

#include "data/BaseOnly.h"
#include "data/Storage.h"
#include "data/Units.h"

namespace {

wxString WithPoint(wxString text, wxUniChar decimalPoint) {
    if (decimalPoint != '.') text.Replace(".", wxString(decimalPoint));
    return text;
}

wxString ClockText(const wxDateTime& start, double seconds) {
    const wxDateTime at =
        start + wxTimeSpan::Milliseconds(wxLongLong(std::llround(seconds * 1000)));
    return at.Format("%d/%m/%Y %H:%M:%S");
}

}  // namespace

wxString ElapsedText(double seconds, wxUniChar decimalPoint) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    const long long tenths = std::llround(seconds * 10);
    const long long whole = tenths / 10;
    wxString text =
        wxString::Format("%02lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    if (tenths % 10 != 0) text += wxString::Format(".%lld", tenths % 10);
    return WithPoint(text, decimalPoint);
}

wxString StatisticsNumber(double value, wxUniChar decimalPoint) {
    int decimals = 1;
    if (std::isfinite(value) && value != 0) {
        const int digits = int(std::floor(std::log10(std::fabs(value)))) + 1;
        decimals = std::clamp(4 - digits, 1, 4);
    }
    return WithPoint(wxString::FromCDouble(value, decimals), decimalPoint);
}

std::vector<StatisticsRow> StatisticsRows(const Storage& r, const RangeStatistics& s,
                                          StatisticsRange range, bool clockTime,
                                          wxUniChar decimalPoint) {
    std::vector<StatisticsRow> rows;
    rows.push_back({"Registrazione", r.title + " " + r.dateText, ""});
    rows.push_back({"Intervallo",
                    range == StatisticsRange::Visible ? "Parte visibile del grafico"
                                                      : "Tra i cursori di misura",
                    ""});
    if (s.Empty()) return rows;

    auto number = [decimalPoint](double v) { return StatisticsNumber(v, decimalPoint); };
    rows.push_back({"Inizio", ElapsedText(s.start, decimalPoint), ""});
    rows.push_back({"Fine", ElapsedText(s.end, decimalPoint), ""});
    if (clockTime && r.start.IsValid()) {
        rows.push_back({"Ora di inizio", ClockText(r.start, s.start), ""});
        rows.push_back({"Ora di fine", ClockText(r.start, s.end), ""});
    }
    rows.push_back({"Durata", ElapsedText(s.duration, decimalPoint), ""});

    const wxString flowUnit = CsvFlowLabel(r.metricUnits, r.flowUnit);
    const wxString pressureUnit = PressureShortLabel(r.pressureUnit);
    rows.push_back({"Volume erogato", number(s.volume), CsvVolumeLabel(r.metricUnits, r.flowUnit)});
    rows.push_back({"Portata media", number(s.flow.mean), flowUnit});
    rows.push_back({"Portata minima", number(s.flow.min), flowUnit});
    rows.push_back({"Portata massima", number(s.flow.max), flowUnit});
    rows.push_back({"Pressione media", number(s.pressure.mean), pressureUnit});
    rows.push_back({"Pressione minima", number(s.pressure.min), pressureUnit});
    rows.push_back({"Pressione massima", number(s.pressure.max), pressureUnit});
    rows.push_back({"Campioni", wxString::Format("%zu", s.samples), ""});
    return rows;
}

namespace {

// A title read from a file may hold tabs or line breaks; in a cell they would split the row.
wxString Cell(wxString text) {
    for (const char* breaker : {"\t", "\r", "\n"}) text.Replace(breaker, " ");
    return text;
}

}  // namespace

wxString StatisticsTabText(const std::vector<StatisticsRow>& rows) {
    wxString text;
    for (const StatisticsRow& row : rows) {
        text += Cell(row.label) + "\t" + Cell(row.value);
        if (!row.unit.empty()) text += "\t" + Cell(row.unit);
        text += "\n";
    }
    return text;
}
