#include "plot/StatisticsWindow.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <locale>

#include "data/Storage.h"
#include "plot/GraphView.h"
#include "plot/mpEvents.h"
#include "plot/mpLayer.h"
#include "plot/mpWindow.h"

namespace {

const wxColour kInterfaceGrey(236, 233, 216);
constexpr std::size_t kHeadingRows = 2;  // the record and the range come first in the rows

// The decimal point of the user's own locale, which is what the spreadsheet that receives a paste
// reads numbers with: "9.500" pasted into an Italian sheet would be nine thousand five hundred.
wxUniChar UserDecimalPoint() {
    try {
        return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
    } catch (const std::exception&) {
        return '.';
    }
}

// The time of the marker a measuring cursor left on a series in the plot, if any.
std::optional<double> MarkerTime(const mpWindow& plot, int type) {
    for (int i = 0; i < plot.CountLayers(); ++i) {
        const mpLayer* layer = plot.GetLayer(i);
        if (layer != nullptr && layer->GetType() == type && layer->IsVisible() &&
            layer->markerShown)
            return layer->markerX;
    }
    return std::nullopt;
}

bool ShowsSeries(const mpWindow& plot) {
    for (int i = 0; i < plot.CountLayers(); ++i) {
        const mpLayer* layer = plot.GetLayer(i);
        if (layer != nullptr && layer->IsVisible() &&
            (layer->GetType() == mpLAYER_PLOT || layer->GetType() == mpLAYER_PLOT_SECOND))
            return true;
    }
    return false;
}

}  // namespace

StatisticsWindow::StatisticsWindow(wxWindow* parent, const GraphView& graph)
    : wxFrame(parent, wxID_ANY, "Statistiche", wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxCLOSE_BOX | wxRESIZE_BORDER | wxSYSTEM_MENU | wxFRAME_FLOAT_ON_PARENT |
                  wxFRAME_TOOL_WINDOW,
              kName),
      graph_(graph),
      plot_(graph.Plot()) {
    auto* panel = new wxPanel(this);
    panel->SetBackgroundColour(kInterfaceGrey);
    auto* column = new wxBoxSizer(wxVERTICAL);
    heading_ = new wxFlexGridSizer(2, wxSize(12, 4));
    column->Add(heading_, 0, wxLEFT | wxRIGHT | wxTOP, 10);
    grid_ = new wxFlexGridSizer(3, wxSize(12, 4));
    column->Add(grid_, 1, wxALL, 10);
    noData_ = new wxStaticText(panel, wxID_ANY, "nessun dato");
    wxFont big = noData_->GetFont();
    big.SetPointSize(big.GetPointSize() + 4);
    big.MakeBold();
    noData_->SetFont(big);
    column->Add(noData_, 0, wxALIGN_CENTER | wxALL, 10);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    copy_ = new wxButton(panel, wxID_COPY, "Copia");
    auto* close = new wxButton(panel, wxID_CLOSE, "Chiudi");
    buttons->Add(copy_, 0, wxRIGHT, 8);
    buttons->Add(close);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    panel->SetSizer(column);

    copy_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CopyToClipboard(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
    if (plot_) plot_->Bind(mpEVT_PAINTED, &StatisticsWindow::OnPlotPainted, this);

    FollowGraph();
    PlaceBesideGraph();
}

void StatisticsWindow::OnPlotPainted(wxCommandEvent& event) {
    FollowGraph();
    event.Skip();
}

std::optional<StatisticsWindow::Source> StatisticsWindow::ReadGraph() const {
    const Storage* record = graph_.ShownRecord();
    if (record == nullptr || !plot_ || !ShowsSeries(*plot_)) return std::nullopt;
    Source s;
    s.record = record;
    const std::optional<double> primary = MarkerTime(*plot_, mpLAYER_PLOT);
    const std::optional<double> second = MarkerTime(*plot_, mpLAYER_PLOT_SECOND);
    if (primary && second) {
        s.range = StatisticsRange::BetweenCursors;
        s.from = std::min(*primary, *second);
        s.to = std::max(*primary, *second);
    } else {
        const plotcore::ViewState& view = plot_->GetView();
        const double halfWidth = plot_->GetClientSize().x / 2.0;
        s.from = plotcore::WorldX(-halfWidth, view);
        s.to = plotcore::WorldX(halfWidth, view);
    }
    return s;
}

void StatisticsWindow::FollowGraph() {
    source_ = ReadGraph();
    stats_ = RangeStatistics();
    if (source_) {
        const Storage& r = *source_->record;
        // Every change of the samples goes through ShowRecord; a live record also grows.
        if (indexed_ != &r || indexedShow_ != graph_.ShowCount() ||
            index_.Length() != r.time.size()) {
            index_.Build(r);
            indexed_ = &r;
            indexedShow_ = graph_.ShowCount();
        }
        stats_ = index_.Query(r, source_->from, source_->to);
    } else {
        index_.Clear();
        indexed_ = nullptr;
    }
    hasData_ = !stats_.Empty();
    rows_ = MakeRows('.');
    ShowRows();
}

std::vector<StatisticsRow> StatisticsWindow::MakeRows(wxUniChar decimalPoint) const {
    if (!source_) return {};
    return StatisticsRows(*source_->record, stats_, source_->range, plot_->GetAbsoluteTime(),
                          decimalPoint);
}

void StatisticsWindow::ShowRows() {
    wxWindow* panel = noData_->GetParent();
    std::vector<wxString> labels;
    for (const StatisticsRow& row : rows_) labels.push_back(row.label);
    const bool rebuild = labels != shownLabels_;
    if (rebuild) {
        heading_->Clear(true);
        grid_->Clear(true);
        cells_.clear();
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const StatisticsRow& row = rows_[i];
            // The record and the range head the window; the figures line up below them.
            const bool heading = i < kHeadingRows;
            auto* label = new wxStaticText(panel, wxID_ANY, row.label);
            auto* value = new wxStaticText(panel, wxID_ANY, row.value, wxDefaultPosition,
                                           wxDefaultSize, 0, row.label);
            auto* unit = new wxStaticText(panel, wxID_ANY, row.unit);
            if (heading) {
                heading_->Add(label);
                heading_->Add(value);
                unit->Hide();
            } else {
                grid_->Add(label, 0, wxALIGN_CENTER_VERTICAL);
                grid_->Add(value, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT);
                grid_->Add(unit, 0, wxALIGN_CENTER_VERTICAL);
            }
            cells_.emplace_back(value, unit);
        }
        shownLabels_ = labels;
    }
    bool changed = rebuild;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        auto [value, unit] = cells_[i];
        if (value->GetLabel() != rows_[i].value) {
            value->SetLabel(rows_[i].value);
            changed = true;
        }
        if (unit->GetLabel() != rows_[i].unit) {
            unit->SetLabel(rows_[i].unit);
            changed = true;
        }
    }
    if (noData_->IsShown() == hasData_) {
        noData_->Show(!hasData_);
        changed = true;
    }
    copy_->Enable(hasData_);
    if (rebuild || GetSize().x < GetBestSize().x) {
        panel->GetSizer()->SetSizeHints(this);
    } else if (changed) {
        panel->Layout();
    }
}

void StatisticsWindow::CopyToClipboard() {
    if (!hasData_) return;
    const wxString text = StatisticsTabText(MakeRows(UserDecimalPoint()));
    if (!wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

void StatisticsWindow::PlaceBesideGraph() {
    if (!plot_) return;
    const wxRect plot = plot_->GetScreenRect();
    const wxRect frame = GetParent() != nullptr ? GetParent()->GetScreenRect() : plot;
    const int display = wxDisplay::GetFromWindow(GetParent() != nullptr ? GetParent() : this);
    const wxRect screen =
        wxDisplay(display == wxNOT_FOUND ? 0u : unsigned(display)).GetClientArea();
    const wxSize size = GetSize();
    // To the right of the main window when the screen has room, else against the screen's right
    // edge, over the main window's record list rather than over the graph.
    wxPoint at(frame.GetRight() + 8, plot.GetTop());
    if (at.x + size.x > screen.GetRight())
        at.x = std::max(plot.GetRight() + 8, screen.GetRight() - size.x);
    at.x =
        std::clamp(at.x, screen.GetLeft(), std::max(screen.GetLeft(), screen.GetRight() - size.x));
    at.y =
        std::clamp(at.y, screen.GetTop(), std::max(screen.GetTop(), screen.GetBottom() - size.y));
    Move(at);
}
