#include <gtest/gtest.h>

#include <map>

#include "data/RangeStatistics.h"
#include "data/StatisticsText.h"
#include "data/Storage.h"

namespace {

// Raw 120 a minute each second for ten seconds, pressure raw 40.
Storage Record(int metric, int flowUnit, std::uint8_t pressureUnit) {
    Storage r("7/03/2011 9:05:30", 1000, metric, 0, flowUnit, 1);
    r.title = "Memoria 1";
    r.SetPressureScaling(0, 2, 0, pressureUnit);
    for (int i = 0; i < 10; ++i) r.AddRawSample(120, 40);
    return r;
}

std::map<wxString, StatisticsRow> ByLabel(const std::vector<StatisticsRow>& rows) {
    std::map<wxString, StatisticsRow> out;
    for (const StatisticsRow& row : rows) out[row.label] = row;
    return out;
}

TEST(StatisticsText, RowsCarryTheRecordsOwnUnits) {
    struct Case {
        const char* name;
        int metric, flowUnit;
        std::uint8_t pressureUnit;
        const char *volume, *volumeUnit, *flow, *flowUnit_, *pressure, *pressureUnit_;
    };
    const Case cases[] = {
        {"litres per minute, psi", 1, 0, 'p', "18.00", "L", "120.0", "L/min", "20.00", "PSI"},
        {"litres per second, bar", 1, 1, 'b', "18.00", "L", "2.000", "L/s", "1.379", "Bar"},
        {"cubic metres per hour, kPa", 1, 2, 16, "0.0180", "M³", "7.200", "M³/h", "137.9", "KPa"},
        // A gallon meter keeps gallons whatever flow unit was chosen.
        {"gallon meter", 0, 2, 8, "18.00", "G", "120.0", "G/min", "14.06", "MtrH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Storage r = Record(c.metric, c.flowUnit, c.pressureUnit);
        const auto rows = ByLabel(
            StatisticsRows(r, ScanRangeStatistics(r, 0, 100), StatisticsRange::Visible, false));
        EXPECT_EQ(rows.at("Volume erogato").value, c.volume);
        EXPECT_EQ(rows.at("Volume erogato").unit, wxString::FromUTF8(c.volumeUnit));
        for (const char* label : {"Portata media", "Portata minima", "Portata massima"}) {
            EXPECT_EQ(rows.at(label).value, c.flow) << label;
            EXPECT_EQ(rows.at(label).unit, wxString::FromUTF8(c.flowUnit_)) << label;
        }
        for (const char* label : {"Pressione media", "Pressione minima", "Pressione massima"}) {
            EXPECT_EQ(rows.at(label).value, c.pressure) << label;
            EXPECT_EQ(rows.at(label).unit, c.pressureUnit_) << label;
        }
        EXPECT_EQ(rows.at("Campioni").value, "10");
        EXPECT_EQ(rows.at("Registrazione").value, "Memoria 1 7/03/2011 9:05:30");
    }
}

TEST(StatisticsText, ClockTimeOnlyWithTheAbsoluteAxisAndAKnownStart) {
    Storage r = Record(1, 0, 'b');
    const RangeStatistics s = ScanRangeStatistics(r, 2.5, 7.25);
    auto rows = ByLabel(StatisticsRows(r, s, StatisticsRange::BetweenCursors, true));
    EXPECT_EQ(rows.at("Intervallo").value, "Tra i cursori di misura");
    EXPECT_EQ(rows.at("Inizio").value, "00:00:02.5");
    EXPECT_EQ(rows.at("Fine").value, "00:00:07.3");
    EXPECT_EQ(rows.at("Ora di inizio").value, "07/03/2011 09:05:32");
    EXPECT_EQ(rows.at("Ora di fine").value, "07/03/2011 09:05:37");
    EXPECT_EQ(rows.at("Durata").value, "00:00:04.8");
    EXPECT_EQ(rows.at("Volume erogato").value, "9.500");

    EXPECT_EQ(ByLabel(StatisticsRows(r, s, StatisticsRange::Visible, false)).count("Ora di inizio"),
              0u);
    r.start = wxDateTime();
    EXPECT_EQ(ByLabel(StatisticsRows(r, s, StatisticsRange::Visible, true)).count("Ora di inizio"),
              0u);
}

TEST(StatisticsText, AnEmptyRangeNamesOnlyTheRecordAndTheRange) {
    const Storage r = Record(1, 0, 'b');
    const auto rows =
        StatisticsRows(r, ScanRangeStatistics(r, 20, 30), StatisticsRange::Visible, true);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].label, "Registrazione");
    EXPECT_EQ(rows[1].value, "Parte visibile del grafico");
}

TEST(StatisticsText, TabTextIsOneRowOfCellsPerLine) {
    Storage r = Record(1, 0, 'b');
    r.title = "Prova\tidrante\n12";
    const auto rows =
        StatisticsRows(r, ScanRangeStatistics(r, 2.5, 7.25), StatisticsRange::Visible, false, ',');
    const wxString text = StatisticsTabText(rows);
    EXPECT_TRUE(text.StartsWith(
        "Registrazione\tProva idrante 12 7/03/2011 9:05:30\nIntervallo\tParte visibile del "
        "grafico\nInizio\t00:00:02,5\n"))
        << text;
    EXPECT_NE(text.Find("\nVolume erogato\t9,500\tL\n"), wxNOT_FOUND) << text;
    EXPECT_NE(text.Find("\nPortata media\t120,0\tL/min\n"), wxNOT_FOUND) << text;
    EXPECT_TRUE(text.EndsWith("\nCampioni\t5\n")) << text;
}

TEST(StatisticsText, ElapsedTimesAndNumbers) {
    EXPECT_EQ(ElapsedText(0), "00:00:00");
    EXPECT_EQ(ElapsedText(3723.5), "01:02:03.5");
    EXPECT_EQ(ElapsedText(90000), "25:00:00");
    EXPECT_EQ(ElapsedText(59.96), "00:01:00");
    EXPECT_EQ(ElapsedText(-3), "00:00:00");

    struct Case {
        double value;
        const char* text;
    };
    for (Case c : {Case{0, "0.0"}, Case{120, "120.0"}, Case{7.2, "7.200"}, Case{0.018, "0.0180"},
                   Case{0.00004, "0.0000"}, Case{12345.6, "12345.6"}, Case{-2.5, "-2.500"},
                   Case{999.96, "1000.0"}}) {
        EXPECT_EQ(StatisticsNumber(c.value), c.text) << c.value;
    }
    EXPECT_EQ(StatisticsNumber(7.2, ','), "7,200");
}

}  // namespace
