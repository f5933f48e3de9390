#pragma once
// The unit texts of the graph: axis names, the main window's unit labels and the legend units,
// chosen by a record's measurement system, the flow unit preference and the pressure code.
#include <wx/string.h>

#include <cstdint>
#include <optional>

struct GraphUnitText {
    wxString flowAxis;    // name of the flow axis
    wxString volumeAxis;  // name of the volume axis
    wxString flowLabel;   // the flow unit label beside the readout in flow view
    wxString flowUnit;    // legend unit of a flow value
    wxString volumeUnit;  // legend unit of a volume value, and the unit label in volume view
};

// Nothing for a litre meter with a flow unit outside 0..3: the graph then keeps its texts.
std::optional<GraphUnitText> GraphUnitTexts(int metricUnits, int flowUnit);

struct GraphPressureText {
    wxString axis;   // "Pressione (bar)"
    wxString label;  // "Bar"
};

// Nothing for an unknown pressure code.
std::optional<GraphPressureText> GraphPressureTexts(std::uint8_t code);

// A measured flow as the readout shows it: whole litres per minute, hundredths of litres per second
// and cubic metres per hour, tenths of US gallons per minute; "." as the decimal point.
wxString MeasureText(double value, int flowUnit);
