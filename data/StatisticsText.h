#pragma once
// The statistics of a range as people read them: rows of label, value and unit in the record's own
// units, for the statistics window and for the clipboard, where a spreadsheet pastes the rows into
// cells.

#include <wx/string.h>

#include <vector>

#include "data/RangeStatistics.h"

class Storage;

struct StatisticsRow {
    wxString label;
    wxString value;
    wxString unit;
};

// Where the range comes from: the part of the graph on screen, or the two measuring cursors.
enum class StatisticsRange { Visible, BetweenCursors };

// The record and the range, then (when the range holds samples) start and end as elapsed time and,
// with `clockTime` and a record whose start is known, as clock time; the duration, the volume,
// the flows, the pressures and the number of samples. Numbers carry `decimalPoint`.
std::vector<StatisticsRow> StatisticsRows(const Storage& record, const RangeStatistics& stats,
                                          StatisticsRange range, bool clockTime,
                                          wxUniChar decimalPoint = '.');

// One line a row, label, value and unit separated by tabs.
wxString StatisticsTabText(const std::vector<StatisticsRow>& rows);

// Elapsed seconds as hours, minutes and seconds ("01:02:03"), with tenths when the time has them
// ("00:00:02.5"); hours go past 24.
wxString ElapsedText(double seconds, wxUniChar decimalPoint = '.');

// Four significant digits, at least one decimal and at most four: 120.0, 7.200, 0.0180, 12345.6.
wxString StatisticsNumber(double value, wxUniChar decimalPoint = '.');
