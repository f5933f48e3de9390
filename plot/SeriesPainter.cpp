#include "plot/SeriesPainter.h"

#include <wx/graphics.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot/core/CornerLegend.h"
#include "plot/core/ViewState.h"

namespace {

// A series with more samples than the plot has pixel columns is stroked without smoothing its
// edges: at that density it cannot be seen, and smoothing made the stroke of a long record that
// spans its whole range in every column several times slower than all else on screen. Both ways
// of drawing a series take the same mode, so they give the same pixels.
class DenseStroke {
public:
    DenseStroke(wxDC& dc, std::size_t samples, int columns)
        : gc_(samples > std::size_t(std::max(columns, 1)) ? dc.GetGraphicsContext() : nullptr) {
        if (gc_ == nullptr) return;
        mode_ = gc_->GetAntialiasMode();
        gc_->SetAntialiasMode(wxANTIALIAS_NONE);
    }
    ~DenseStroke() {
        if (gc_ != nullptr) gc_->SetAntialiasMode(mode_);
    }
    DenseStroke(const DenseStroke&) = delete;
    DenseStroke& operator=(const DenseStroke&) = delete;

private:
    wxGraphicsContext* gc_;
    wxAntialiasMode mode_ = wxANTIALIAS_DEFAULT;
};
// The toolkit's renderer keeps coordinates in 24.8 fixed point: a segment reaching farther than
// this is clipped first, so a deep zoom cannot wrap it around.
constexpr int kFar = 1000000;

bool IsFar(wxPoint p) { return std::abs(p.x) > kFar || std::abs(p.y) > kFar; }

// Clips a-b to the square of half side kFar (Liang-Barsky); false when nothing is left.
bool ClipFar(wxPoint& a, wxPoint& b) {
    double t0 = 0, t1 = 1;
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x + double(kFar), kFar - double(a.x), a.y + double(kFar),
                         kFar - double(a.y)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const wxPoint na(int(std::lround(a.x + t0 * dx)), int(std::lround(a.y + t0 * dy)));
    const wxPoint nb(int(std::lround(a.x + t1 * dx)), int(std::lround(a.y + t1 * dy)));
    a = na;
    b = nb;
    return true;
}
}  // namespace

SeriesPainter::SeriesPainter(wxDC& dc, wxSize size, const plotcore::ColumnTransform& t)
    : dc_(dc), size_(size), t_(t), penWidth_(dc.GetPen().IsOk() ? dc.GetPen().GetWidth() : 1) {}

void SeriesPainter::Dot(wxPoint p) {
    if (IsFar(p)) return;
    if (penWidth_ > 1)
        dc_.DrawLine(p, p);  // the round pen end makes a dot of the pen's width
    else
        dc_.DrawPoint(p);
}

void SeriesPainter::Segment(wxPoint a, wxPoint b) {
    if ((IsFar(a) || IsFar(b)) && !ClipFar(a, b)) return;
    dc_.DrawLine(a, b);
}

void SeriesPainter::Polyline(const std::vector<plotcore::PlotPoint>& pts) {
    if (pts.empty()) return;
    if (pts.size() == 1) {
        Segment({pts[0].x, pts[0].y}, {pts[0].x, pts[0].y});
        return;
    }
    const bool far = std::any_of(pts.begin(), pts.end(), [](const plotcore::PlotPoint& p) {
        return IsFar({p.x, p.y});
    });
    if (far) {
        for (std::size_t i = 1; i < pts.size(); ++i)
            Segment({pts[i - 1].x, pts[i - 1].y}, {pts[i].x, pts[i].y});
        return;
    }
    std::vector<wxPoint> w(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) w[i] = wxPoint(pts[i].x, pts[i].y);
    dc_.DrawLines(static_cast<int>(w.size()), w.data());
}

void SeriesPainter::Draw(const SeriesSamples& s, bool continuous, bool fast) {
    const DenseStroke stroke(dc_, s.n, size_.x);
    if (!fast || !s.decimatable || s.n == 0 || !s.pyramid || !plotcore::CanDecimate(t_)) {
        std::size_t i = 0;
        DrawEverySegment(
            [&](double& x, double& y) {
                if (i >= s.n) return false;
                x = s.xs[i];
                y = s.ys[i];
                ++i;
                return true;
            },
            continuous);
        return;
    }
    const plotcore::ColumnDecimator d(s.xs, s.ys, s.n, *s.pyramid, t_);
    const int reach = penWidth_ + 2;  // a wide pen reaches into the next columns
    const int left = -(size_.x / 2) - reach, right = size_.x / 2 + reach;
    std::vector<plotcore::PlotPoint> pts;
    if (continuous) {
        d.Line(left, right, pts);
        Polyline(pts);
    } else {
        d.Points(left, right, -(size_.y / 2) - reach, size_.y / 2 + reach, pts);
        for (const plotcore::PlotPoint& p : pts) Dot({p.x, p.y});
    }
}

void SeriesPainter::DrawEverySegment(const std::function<bool(double&, double&)>& next,
                                     bool continuous) {
    double x = 0, y = 0;
    wxPoint prev;
    bool first = true;
    while (next(x, y)) {
        const wxPoint p(plotcore::TruncToPixel((x - t_.posX) * t_.scaleX),
                        plotcore::TruncToPixel((t_.posY - y) * t_.scaleY));
        if (!continuous) {
            Dot(p);
            continue;
        }
        Segment(first ? p : prev, p);
        prev = p;
        first = false;
    }
}

void SeriesPainter::DrawSeries(const SeriesSamples& s, bool continuous, bool fast,
                               const std::function<bool(double&, double&)>& next) {
    if (s.n > 0)
        Draw(s, continuous, fast);
    else
        DrawEverySegment(next, continuous);
}

void SeriesPainter::LegendSample(int row) {
    const plotcore::PlotSegment l = plotcore::CornerLegendSample(row, size_.x, size_.y);
    dc_.DrawLine(l.from.x, l.from.y, l.to.x, l.to.y);
}
