#include "plot/core/GraphUnits.h"

#include <iterator>

namespace {

struct UnitRow {
    const char* flowAxis;
    const char* volumeAxis;
    const char* flowLabel;
    const char* flowUnit;
    const char* volumeUnit;
};

// A litre meter with flow unit 3 still integrates its volume in litres, so its volume reads litres.
constexpr UnitRow kLitreMeter[] = {
    {"Portata (litri/min)", "Litri", "l/min.", "l/min", "Litri"},
    {"Portata (Litre/sec)", "Litri", "l/s", "l/s", "Litri"},
    {"Portata (M³/h)", " Metri³", "M³/h", "M³/h", " Metri³"},
    {"Portata (galloni/min)", "Litri", "GPM", "GPM", "Litri"},
};

constexpr UnitRow kGallonMeter = {"Portata (galloni/min)", "Galloni", "GPM", "GPM", "Galloni"};

struct PressureRow {
    std::uint8_t code;
    const char* axis;
    const char* label;
};

constexpr PressureRow kPressures[] = {
    {'p', "Pressione (psi)", "PSI"},
    {'b', "Pressione (bar)", "Bar"},
    {8, "Pressione (MtrH)", "MtrH"},
    {16, "Pressione (KPa)", "KPa"},
};

GraphUnitText ToText(const UnitRow& row) {
    return {wxString::FromUTF8(row.flowAxis), wxString::FromUTF8(row.volumeAxis),
            wxString::FromUTF8(row.flowLabel), wxString::FromUTF8(row.flowUnit),
            wxString::FromUTF8(row.volumeUnit)};
}

}  // namespace

std::optional<GraphUnitText> GraphUnitTexts(int metricUnits, int flowUnit) {
    if (metricUnits != 1) return ToText(kGallonMeter);
    if (flowUnit < 0 || flowUnit >= static_cast<int>(std::size(kLitreMeter))) return std::nullopt;
    return ToText(kLitreMeter[flowUnit]);
}

std::optional<GraphPressureText> GraphPressureTexts(std::uint8_t code) {
    for (const PressureRow& row : kPressures)
        if (row.code == code) return GraphPressureText{row.axis, row.label};
    return std::nullopt;
}

wxString MeasureText(double value, int flowUnit) {
    switch (flowUnit) {
        case 1:
        case 2:
            return wxString::FromCDouble(value, 2);
        case 3:
            return wxString::FromCDouble(value, 1);
        default:
            return wxString::FromCDouble(value, 0);
    }
}
