#pragma once
// Flow and pressure units: codes, conversion factors and every label text of the program (graph,
// readouts, record list, CSV), kept as tables in Units.cpp and looked up only through these
// functions.
//
// A record is labelled by its own units (its metricUnits and the flowUnit it stores), never by the
// flow unit preference, which only decides what later downloads and live runs store.
//
// Two combinations get labels that say what the numbers really are:
// - a metric meter with flow unit 3 (US gal/min) still integrates its volume in litres, so every
//   volume label reads litres ("Litri", "L", "Volume (L)");
// - a gallon meter counts US gallons, and no flow unit factor turns a gallon count into litres or
//   cubic metres: the flow unit menu does not apply to it. Its records keep gallons per minute and
//   gallons (EffectiveFlowUnit() is 0) and every label reads gallons.

#include <wx/string.h>

#include <cstddef>
#include <cstdint>

#include "meter/SettingsBlock.h"  // the pressure unit codes, as the meter stores them

struct Preferences;

enum FlowUnitCode : int {
    kFlowLitresPerMinute = 0,
    kFlowLitresPerSecond = 1,
    kFlowCubicMetresPerHour = 2,
    kFlowGallonsPerMinute = 3,
};
constexpr int kFlowUnitCount = 4;

// The flow unit a record really stores: the chosen one for a metric meter, litres (or gallons) per
// minute for a gallon meter or a code outside 0..3.
int EffectiveFlowUnit(int metricUnits, int flowUnit);

// A flow in the meter's own unit per minute, converted into flow unit `flowUnit` (0 for an unknown
// code).
double ConvertFlow(double perMinute, int flowUnit);
// True when the volume of that flow unit is kept in cubic metres (litres ÷ 1000).
bool VolumeInCubicMetres(int flowUnit);
// The divisor that turns psi into pressure unit `code` (1 for psi and unknown codes).
double PressureDivisor(std::uint8_t code);

// Labels for a record's units: its metricUnits and its own flowUnit. Without a record, the
// preferences' metricUnits and flowUnit stand for the records they would make.
wxString GraphFlowLabel(int metricUnits, int flowUnit);    // flow axis name
wxString GraphVolumeLabel(int metricUnits, int flowUnit);  // volume axis name and legend unit
wxString LegendFlowLabel(int metricUnits, int flowUnit);   // flow unit in the legend
wxString ReadoutFlowLabel(int metricUnits, int flowUnit);  // beside the flow readout
wxString CsvFlowLabel(int metricUnits, int flowUnit);
wxString CsvVolumeLabel(int metricUnits, int flowUnit);  // also the unit of a list volume cell
// A measured flow as the readout shows it: whole litres per minute, hundredths of litres per
// second and cubic metres per hour, tenths of gallons per minute; "." as the decimal point.
wxString MeasureText(double value, int metricUnits, int flowUnit);
// Empty for an unknown code: the graph then keeps its pressure axis text.
wxString GraphPressureLabel(std::uint8_t code);
// "PSI" for an unknown code.
wxString PressureShortLabel(std::uint8_t code);

// Labels that follow the preferences alone: the readout before any record is shown, and the
// record list's volume column header.
wxString ReadoutFlowLabel(const Preferences& prefs);
wxString ListVolumeHeader(const Preferences& prefs);
// A record list volume cell: the last volume with two decimals, followed by its unit when the
// column's header names another (a record made with another flow unit or by another meter).
wxString ListVolumeText(double volume, int metricUnits, int flowUnit, const wxString& header);

// The flow unit menu: ids 61..64, check items whose help equals the label.
int FlowUnitMenuId(int flowUnit);
int FlowUnitFromMenuId(int menuId);  // -1 for another id
wxString FlowUnitMenuText(int flowUnit);
// The menu only changes what a metric meter records.
bool FlowUnitMenuApplies(const Preferences& prefs);

// Applies the flow unit carried by a settings block just read from the meter (21 or 41 bytes).
// The caller then updates the flow unit menu checks.
void ApplyMeterFlowUnit(Preferences& prefs, const std::uint8_t* block, std::size_t length);
