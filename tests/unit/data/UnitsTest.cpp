#include <gtest/gtest.h>

#include <array>

#include "data/Preferences.h"
#include "data/Units.h"

namespace {

std::string U(const wxString& s) { return std::string(s.utf8_str()); }

struct LabelCase {
    int metricUnits;
    int flowUnit;
    const char* graphFlow;
    const char* graphVolume;
    const char* legendFlow;
    const char* readout;
    const char* measured;  // 12.345 as the flow readout shows it
    const char* csvFlow;
    const char* csvVolume;
    const char* listHeader;
};

class Labels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(Labels, EveryPlaceNamesTheUnitTheNumbersAreIn) {
    const LabelCase& c = GetParam();
    Preferences prefs;
    prefs.metricUnits = uint8_t(c.metricUnits);
    prefs.flowUnit = uint8_t(c.flowUnit);
    EXPECT_EQ(U(GraphFlowLabel(c.metricUnits, c.flowUnit)), c.graphFlow);
    EXPECT_EQ(U(GraphVolumeLabel(c.metricUnits, c.flowUnit)), c.graphVolume);
    EXPECT_EQ(U(LegendFlowLabel(c.metricUnits, c.flowUnit)), c.legendFlow);
    EXPECT_EQ(U(ReadoutFlowLabel(c.metricUnits, c.flowUnit)), c.readout);
    EXPECT_EQ(U(ReadoutFlowLabel(prefs)), c.readout);
    EXPECT_EQ(U(MeasureText(12.345, c.metricUnits, c.flowUnit)), c.measured);
    EXPECT_EQ(U(CsvFlowLabel(c.metricUnits, c.flowUnit)), c.csvFlow);
    EXPECT_EQ(U(CsvVolumeLabel(c.metricUnits, c.flowUnit)), c.csvVolume);
    EXPECT_EQ(U(ListVolumeHeader(prefs)), c.listHeader);
}

INSTANTIATE_TEST_SUITE_P(
    Units, Labels,
    ::testing::Values(LabelCase{1, 0, "Portata (litri/min)", "Litri", "l/min", "l/min.", "12",
                                "L/min", "L", "Volume (L)"},
                      LabelCase{1, 1, "Portata (Litre/sec)", "Litri", "l/s", "l/s", "12.35", "L/s",
                                "L", "Volume (L)"},
                      LabelCase{1, 2, "Portata (M³/h)", " Metri³", "M³/h", "M³/h", "12.35", "M³/h",
                                "M³", "Volume (M³)"},
                      // Gallons per minute of flow, but the volume is still integrated in litres.
                      LabelCase{1, 3, "Portata (galloni/min)", "Litri", "GPM", "GPM", "12.3",
                                "G/min", "L", "Volume (L)"},
                      // An unknown flow unit is recorded as litres per minute.
                      LabelCase{1, 9, "Portata (litri/min)", "Litri", "l/min", "l/min.", "12",
                                "L/min", "L", "Volume (L)"},
                      // A gallon meter is labelled in gallons whatever the flow unit.
                      LabelCase{0, 0, "Portata (galloni/min)", "Galloni", "GPM", "GPM", "12.3",
                                "G/min", "G", "Volume (G)"},
                      LabelCase{0, 1, "Portata (galloni/min)", "Galloni", "GPM", "GPM", "12.3",
                                "G/min", "G", "Volume (G)"},
                      LabelCase{0, 2, "Portata (galloni/min)", "Galloni", "GPM", "GPM", "12.3",
                                "G/min", "G", "Volume (G)"},
                      LabelCase{2, 3, "Portata (galloni/min)", "Galloni", "GPM", "GPM", "12.3",
                                "G/min", "G", "Volume (G)"}));

// A list cell names its unit only where the column header names another.
TEST(Units, ListVolumeCellsNameTheirUnitWhenTheHeaderDoesNot) {
    const wxString litres = "Volume (L)";
    EXPECT_EQ(U(ListVolumeText(152.5, 1, 0, litres)), "152.50");
    EXPECT_EQ(U(ListVolumeText(152.5, 1, 1, litres)), "152.50");
    EXPECT_EQ(U(ListVolumeText(0.15, 1, 2, litres)), "0.15 M³");
    EXPECT_EQ(U(ListVolumeText(40.25, 0, 0, litres)), "40.25 G");
    EXPECT_EQ(U(ListVolumeText(0.15, 1, 2, wxString::FromUTF8("Volume (M³)"))), "0.15");
    EXPECT_EQ(U(ListVolumeText(152.5, 1, 0, wxString::FromUTF8("Volume (M³)"))), "152.50 L");
}

TEST(Units, PressureUnitsDivisorsAndLabels) {
    struct Row {
        uint8_t code;
        double divisor;
        const char* graph;
        const char* shortLabel;
    };
    const std::array<Row, 5> rows{{{'p', 1.0, "Pressione (psi)", "PSI"},
                                   {'b', 14.504, "Pressione (bar)", "Bar"},
                                   {8, 1.42197, "Pressione (MtrH)", "MtrH"},
                                   {16, 0.145038, "Pressione (KPa)", "KPa"},
                                   {3, 1.0, "", "PSI"}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.code));
        EXPECT_DOUBLE_EQ(PressureDivisor(r.code), r.divisor);
        EXPECT_EQ(U(GraphPressureLabel(r.code)), r.graph);
        EXPECT_EQ(U(PressureShortLabel(r.code)), r.shortLabel);
    }
}

TEST(Units, FlowConversionAndVolumeUnit) {
    EXPECT_DOUBLE_EQ(ConvertFlow(120, 0), 120.0);
    EXPECT_DOUBLE_EQ(ConvertFlow(120, 1), 2.0);
    EXPECT_DOUBLE_EQ(ConvertFlow(120, 2), 7.2);
    EXPECT_NEAR(ConvertFlow(120, 3), 31.70064, 1e-9);
    EXPECT_EQ(ConvertFlow(120, 4), 0.0);
    EXPECT_EQ(ConvertFlow(120, -1), 0.0);
    EXPECT_TRUE(VolumeInCubicMetres(2));
    EXPECT_FALSE(VolumeInCubicMetres(3));
    EXPECT_EQ(EffectiveFlowUnit(1, 2), 2);
    EXPECT_EQ(EffectiveFlowUnit(0, 2), 0);
    EXPECT_EQ(EffectiveFlowUnit(1, 200), 0);
}

TEST(Units, FlowUnitMenuIdsAndTexts) {
    const std::array<std::pair<int, int>, 4> idOfUnit{{{0, 61}, {1, 63}, {2, 62}, {3, 64}}};
    for (auto [unit, id] : idOfUnit) {
        EXPECT_EQ(FlowUnitMenuId(unit), id);
        EXPECT_EQ(FlowUnitFromMenuId(id), unit);
    }
    EXPECT_EQ(FlowUnitFromMenuId(65), -1);
    EXPECT_EQ(U(FlowUnitMenuText(0)), "Portata l/m");
    EXPECT_EQ(U(FlowUnitMenuText(1)), "Portara l/s");
    EXPECT_EQ(U(FlowUnitMenuText(2)), "Portata  M³/h");
    EXPECT_EQ(U(FlowUnitMenuText(3)), "Portata GPM");
    Preferences prefs;
    EXPECT_TRUE(FlowUnitMenuApplies(prefs));
    prefs.metricUnits = 0;
    EXPECT_FALSE(FlowUnitMenuApplies(prefs));
}

TEST(Units, ApplyMeterFlowUnitFollowsTheSettingsBlock) {
    struct Case {
        std::size_t length;
        uint8_t byte33;
        uint8_t byte34;
        int flowUnitAfter;
        bool flagAfter;
    };
    const std::array<Case, 7> cases{{{41, 5, 1, 0, true},
                                     {41, 5, 2, 1, true},
                                     {41, 5, 4, 2, true},
                                     {41, 5, 8, 3, true},
                                     {41, 5, 3, 1, true},  // unknown bit: unit kept, flag still set
                                     {41, 0, 4, 1, false},  // no marker: flag cleared
                                     {21, 5, 4, 1, false}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.length << " " << int(c.byte33) << " " << int(c.byte34));
        std::array<uint8_t, 41> block{};
        block[33] = c.byte33;
        block[34] = c.byte34;
        Preferences prefs;
        prefs.flowUnit = 1;
        prefs.meterSetsFlowUnit = !c.flagAfter;
        ApplyMeterFlowUnit(prefs, block.data(), c.length);
        EXPECT_EQ(prefs.flowUnit, c.flowUnitAfter);
        EXPECT_EQ(prefs.meterSetsFlowUnit, c.flagAfter);
    }
}

}  // namespace
