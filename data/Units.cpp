#include "data/Units.h"

#include "data/BaseOnly.h"
#include "data/Preferences.h"
#include "meter/FlowUnitMarker.h"

namespace {

struct FlowUnitRow {
    double multiply;
    double divide;
    bool cubicMetres;
    int menuId;
    const char* menuText;
    const char* graphFlow;
    const char* graphVolume;
    const char* legendFlow;
    const char* readout;
    const char* csvFlow;
    const char* csvVolume;
    const char* listVolume;
    int measureDecimals;
};

// Unit 3 integrates its volume in litres, so its volume labels are the litre ones.
constexpr FlowUnitRow kFlowUnits[kFlowUnitCount] = {
    {1.0, 1.0, false, 61, "Portata l/m", "Portata (litri/min)", "Litri", "l/min", "l/min.", "L/min",
     "L", "Volume (L)", 0},
    {1.0, 60.0, false, 63, "Portara l/s", "Portata (Litre/sec)", "Litri", "l/s", "l/s", "L/s", "L",
     "Volume (L)", 2},
    {0.06, 1.0, true, 62, "Portata  M³/h", "Portata (M³/h)", " Metri³", "M³/h", "M³/h", "M³/h",
     "M³", "Volume (M³)", 2},
    {0.264172, 1.0, false, 64, "Portata GPM", "Portata (galloni/min)", "Litri", "GPM", "GPM",
     "G/min", "L", "Volume (L)", 1},
};

constexpr FlowUnitRow kGallonMeter = {
    1.0,     1.0, false,        61, "Portata l/m", "Portata (galloni/min)", "Galloni", "GPM", "GPM",
    "G/min", "G", "Volume (G)", 1};

struct PressureUnitRow {
    std::uint8_t code;
    double divisor;
    const char* graphAxis;
    const char* shortLabel;
};

constexpr PressureUnitRow kPressureUnits[] = {
    {kPressurePsi, 1.0, "Pressione (psi)", "PSI"},
    {kPressureBar, 14.504, "Pressione (bar)", "Bar"},
    {kPressureMetresWater, 1.42197, "Pressione (MtrH)", "MtrH"},
    {kPressureKpa, 0.145038, "Pressione (KPa)", "KPa"},
};

bool ValidFlowUnit(int flowUnit) { return flowUnit >= 0 && flowUnit < kFlowUnitCount; }

const FlowUnitRow& LabelRow(int metricUnits, int flowUnit) {
    if (metricUnits != 1) return kGallonMeter;
    return kFlowUnits[EffectiveFlowUnit(metricUnits, flowUnit)];
}

const PressureUnitRow* FindPressure(std::uint8_t code) {
    for (const PressureUnitRow& row : kPressureUnits)
        if (row.code == code) return &row;
    return nullptr;
}

wxString Text(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace

int EffectiveFlowUnit(int metricUnits, int flowUnit) {
    return metricUnits == 1 && ValidFlowUnit(flowUnit) ? flowUnit : kFlowLitresPerMinute;
}

double ConvertFlow(double perMinute, int flowUnit) {
    if (!ValidFlowUnit(flowUnit)) return 0.0;
    const FlowUnitRow& row = kFlowUnits[flowUnit];
    return perMinute * row.multiply / row.divide;
}

bool VolumeInCubicMetres(int flowUnit) {
    return ValidFlowUnit(flowUnit) && kFlowUnits[flowUnit].cubicMetres;
}

double PressureDivisor(std::uint8_t code) {
    const PressureUnitRow* row = FindPressure(code);
    return row != nullptr ? row->divisor : 1.0;
}

wxString GraphFlowLabel(int metricUnits, int flowUnit) {
    return Text(LabelRow(metricUnits, flowUnit).graphFlow);
}

wxString GraphVolumeLabel(int metricUnits, int flowUnit) {
    return Text(LabelRow(metricUnits, flowUnit).graphVolume);
}

wxString LegendFlowLabel(int metricUnits, int flowUnit) {
    return Text(LabelRow(metricUnits, flowUnit).legendFlow);
}

wxString ReadoutFlowLabel(int metricUnits, int flowUnit) {
    return Text(LabelRow(metricUnits, flowUnit).readout);
}

wxString MeasureText(double value, int metricUnits, int flowUnit) {
    return wxString::FromCDouble(value, LabelRow(metricUnits, flowUnit).measureDecimals);
}

wxString CsvFlowLabel(int metricUnits, int flowUnit) {
    return Text(LabelRow(metricUnits, flowUnit).csvFlow);
}

wxString CsvVolumeLabel(int metricUnits, int flowUnit) {
    return Text(LabelRow(metricUnits, flowUnit).csvVolume);
}

wxString GraphPressureLabel(std::uint8_t code) {
    const PressureUnitRow* row = FindPressure(code);
    return row != nullptr ? Text(row->graphAxis) : wxString();
}

wxString PressureShortLabel(std::uint8_t code) {
    const PressureUnitRow* row = FindPressure(code);
    return Text(row != nullptr ? row->shortLabel : "PSI");
}

wxString ReadoutFlowLabel(const Preferences& prefs) {
    return ReadoutFlowLabel(prefs.metricUnits, prefs.flowUnit);
}

wxString ListVolumeHeader(const Preferences& prefs) {
    return Text(LabelRow(prefs.metricUnits, prefs.flowUnit).listVolume);
}

wxString ListVolumeText(double volume, int metricUnits, int flowUnit, const wxString& header) {
    const FlowUnitRow& row = LabelRow(metricUnits, flowUnit);
    wxString text = wxString::FromCDouble(volume, 2);
    if (Text(row.listVolume) != header) text += " " + Text(row.csvVolume);
    return text;
}

int FlowUnitMenuId(int flowUnit) {
    return ValidFlowUnit(flowUnit) ? kFlowUnits[flowUnit].menuId : -1;
}

int FlowUnitFromMenuId(int menuId) {
    for (int unit = 0; unit < kFlowUnitCount; ++unit)
        if (kFlowUnits[unit].menuId == menuId) return unit;
    return -1;
}

wxString FlowUnitMenuText(int flowUnit) {
    return ValidFlowUnit(flowUnit) ? Text(kFlowUnits[flowUnit].menuText) : wxString();
}

bool FlowUnitMenuApplies(const Preferences& prefs) { return prefs.metricUnits == 1; }

void ApplyMeterFlowUnit(Preferences& prefs, const std::uint8_t* block, std::size_t length) {
    const MeterFlowUnit decided = DecideMeterFlowUnit(block, length);
    prefs.meterSetsFlowUnit = decided.meterSetsFlowUnit;
    if (decided.meterSetsFlowUnit && ValidFlowUnit(decided.flowUnit))
        prefs.flowUnit = std::uint8_t(decided.flowUnit);
}
