#pragma once
// A small window beside the graph with the statistics of what the graph shows: the part of the
// record on screen, or the range between the two measuring cursors once both have marked a sample.
// It follows every paint of the plot window, so zoom, pan, filter, another record and live samples
// all reach it the same way. "Copia" puts the rows on the clipboard for a spreadsheet.
#include <wx/frame.h>
#include <wx/weakref.h>

#include <optional>
#include <utility>
#include <vector>

#include "data/StatisticsIndex.h"
#include "data/StatisticsText.h"

class GraphView;
class Storage;
class mpWindow;
class wxButton;
class wxFlexGridSizer;
class wxStaticText;

class StatisticsWindow : public wxFrame {
public:
    static constexpr const char* kName = "statistiche";

    StatisticsWindow(wxWindow* parent, const GraphView& graph);

    // Reads the graph again and shows what it finds; runs after every paint of the plot window.
    void FollowGraph();
    // Puts the rows on the clipboard as tab-separated text, numbers with the user's decimal point.
    void CopyToClipboard();

    // What is shown: the rows, or none while the range holds no sample ("nessun dato").
    const std::vector<StatisticsRow>& Rows() const { return rows_; }
    bool HasData() const { return hasData_; }

private:
    struct Source {
        const Storage* record = nullptr;
        double from = 0, to = 0;
        StatisticsRange range = StatisticsRange::Visible;
    };
    std::optional<Source> ReadGraph() const;
    std::vector<StatisticsRow> MakeRows(wxUniChar decimalPoint) const;
    void ShowRows();
    void PlaceBesideGraph();
    void OnPlotPainted(wxCommandEvent& event);

    const GraphView& graph_;
    wxWeakRef<mpWindow> plot_;
    StatisticsIndex index_;
    const Storage* indexed_ = nullptr;
    unsigned indexedShow_ = 0;
    std::optional<Source> source_;
    RangeStatistics stats_;
    std::vector<StatisticsRow> rows_;
    bool hasData_ = false;

    wxFlexGridSizer* heading_ = nullptr;                          // the record and the range
    wxFlexGridSizer* grid_ = nullptr;                             // the figures, with their units
    std::vector<std::pair<wxStaticText*, wxStaticText*>> cells_;  // value and unit of each row

    std::vector<wxString> shownLabels_;
    wxStaticText* noData_ = nullptr;
    wxButton* copy_ = nullptr;
};
