#include "plot/core/AxisWalk.h"

#include <algorithm>

#include "plot/core/AxisPlacement.h"

namespace plotcore {

namespace {
// Pixels between a horizontal axis label and the window's edge.
constexpr int kLabelEdge = 2;
}  // namespace

int HorizontalAxisRow(int placement, int height, int lowInset, const ViewState& v) {
    switch (placement) {
        case mpAXIS_AT_ORIGIN:
            return TruncToPixel(v.posY * v.scaleY);
        case mpAXIS_HIGH_INSET:
            return 10 - height / 2;
        case mpAXIS_LOW_INSET:
            return height / 2 - lowInset;
        case mpAXIS_LOW_BORDER:
            return height / 2 - 1;
        default:
            return -height / 2;
    }
}

int VerticalAxisColumn(int placement, int width, int lowInset, int highBorderInset,
                       const ViewState& v) {
    switch (placement) {
        case mpAXIS_AT_ORIGIN:
            return -TruncToPixel(v.posX * v.scaleX);
        case mpAXIS_LOW_INSET:
            return lowInset - width / 2;
        case mpAXIS_HIGH_INSET:
            return width / 2 - 20;
        case mpAXIS_HIGH_BORDER:
            return width / 2 - highBorderInset;
        default:
            return -width / 2;
    }
}

HorizontalAxis TimeAxisLayout(int placement, bool ticks, bool stopBeforeRightAxis, PlotSize window,
                              int bottomMargin, bool hasSecondAxis, bool absoluteTime,
                              const ViewState& v) {
    HorizontalAxis a{placement, ticks, stopBeforeRightAxis, window.w, window.h};
    a.row = HorizontalAxisRow(placement, window.h, bottomMargin, v);
    a.lineFrom = 50 - window.w / 2;
    a.rightEnd = hasSecondAxis ? window.w / 2 - 50 : window.w / 2;
    a.lineTo = a.rightEnd;
    a.labelGap = 10;
    a.nameExtraDown = absoluteTime ? 12 : 0;
    return a;
}

HorizontalAxis NumericAxisLayout(int placement, bool ticks, bool stopBeforeRightAxis,
                                 PlotSize window, const ViewState& v) {
    HorizontalAxis a{placement, ticks, stopBeforeRightAxis, window.w, window.h};
    a.row = HorizontalAxisRow(placement, window.h, 35, v);
    a.lineFrom = -window.w / 2;
    a.lineTo = window.w / 2;
    a.rightEnd = window.w / 2;
    a.labelGap = 64;
    return a;
}

std::vector<AxisTick> WalkHorizontalAxis(const ViewState& v, const HorizontalAxis& a,
                                         const TickLabel& label, const TextMeasure& measure) {
    const int W = a.width, H = a.height;
    const bool above = a.placement == mpAXIS_LOW_BORDER;
    const TickStep step = ComputeTickStep(v.scaleX);
    const double start = v.posX - (W / 2) / v.scaleX, end = v.posX + a.rightEnd / v.scaleX;
    std::vector<AxisTick> out;
    int prevRight = -65535;
    ForEachTick(start, end, step, [&](double t) {
        AxisTick tick;
        tick.pixel = PixelX(t, v);
        tick.value = t;
        const int p = tick.pixel;
        if (!(p > 50 - W / 2 && (p < W / 2 - 50 || !a.stopBeforeRightAxis))) return;
        if (a.ticks) {
            tick.markFrom = {p, a.row};
            tick.markTo = {p, above ? a.row - 4 : a.row + 4};
        } else {
            tick.markFrom = {p, 30 - H / 2};
            tick.markTo = {p, a.row};
        }
        tick.label = label(t, step.e);
        out.push_back(tick);
        if (tick.label.empty()) return;  // a tick the axis leaves without a label
        AxisTick& last = out.back();
        last.labelSize = measure(tick.label);
        const int tw = last.labelSize.w, th = last.labelSize.h;
        // Centred under its tick, but moved inside the window where it would be cut at an edge;
        // it still spans its tick.
        const int left = std::clamp(p - tw / 2, kLabelEdge - W / 2,
                                    std::max(kLabelEdge - W / 2, W / 2 - kLabelEdge - tw));
        if (left > prevRight + a.labelGap) {
            last.labelled = true;
            last.labelAt = {left, above ? a.row - th - 4 : a.row + 4};
            prevRight = left + tw;
        }
    });
    return out;
}

std::optional<AxisName> HorizontalAxisNameAt(const HorizontalAxis& a, PlotSize text) {
    if (a.placement == mpAXIS_HIGH_INSET) return std::nullopt;
    if (a.placement == mpAXIS_LOW_BORDER)
        return AxisName{{a.width / 2 - text.w - 4, a.row - 2 * text.h - 4}};
    return AxisName{{0, a.row + text.h + a.nameExtraDown}};
}

VerticalAxis PrimaryVerticalAxisLayout(int placement, bool ticks, bool stopBeforeRightAxis,
                                       PlotSize window, int bottomMargin, const ViewState& v) {
    VerticalAxis a{placement, false, ticks, window.w, window.h};
    a.column = VerticalAxisColumn(placement, window.w, 50, 1, v);
    a.lineEnd = window.h / 2 - bottomMargin;
    a.bandLow = 30 - window.h / 2;
    a.bandHigh = window.h / 2 - bottomMargin;
    a.gridFrom = a.column;
    a.gridTo = stopBeforeRightAxis ? window.w / 2 - 50 : window.w / 2;
    a.rightSide = placement == mpAXIS_LOW_BORDER;
    a.labels = AxisLabelKind::PrimaryY;
    return a;
}

VerticalAxis SecondVerticalAxisLayout(int placement, bool ticks, PlotSize window, int bottomMargin,
                                      const ViewState& v) {
    VerticalAxis a{placement, true, ticks, window.w, window.h};
    a.column = VerticalAxisColumn(placement, window.w, 40, 50, v);
    a.lineEnd = window.h / 2 - bottomMargin;
    a.bandHigh = window.h / 2 - 30;
    a.gridFrom = -window.w / 2;
    a.gridTo = window.w / 2;
    a.rightSide = true;
    a.labelInset = placement == mpAXIS_LOW_BORDER ? 4 : 6;
    a.labels = AxisLabelKind::SecondY;
    return a;
}

std::vector<AxisTick> WalkVerticalAxis(const ViewState& v, const VerticalAxis& a,
                                       const TextMeasure& measure) {
    const int H = a.height, x = a.column;
    const double pos = a.second ? v.posY2 : v.posY, scale = a.second ? v.scaleY2 : v.scaleY;
    const TickStep step = ComputeTickStep(scale);
    const double start = pos - (H / 2) / scale, end = pos + (H / 2) / scale;
    std::vector<AxisTick> out;
    int prevP = 0;
    bool first = true;
    ForEachTick(start, end, step, [&](double t) {
        AxisTick tick;
        tick.pixel = a.second ? PixelY2(t, v) : PixelY(t, v);
        tick.value = t;
        const int p = tick.pixel;
        if (!(a.bandLow < p && p < a.bandHigh)) return;
        if (!a.ticks) {
            tick.markFrom = {a.gridFrom, p};
            tick.markTo = {a.gridTo, p};
        } else if (a.rightSide) {
            tick.markFrom = {x, p};
            tick.markTo = {x + 4, p};
        } else {
            tick.markFrom = {x - 4, p};
            tick.markTo = {x, p};
        }
        if (first || prevP - p > a.labelGap) {
            tick.labelled = true;
            tick.label = FormatAxisLabel(t, step.e, a.labels);
            tick.labelSize = measure(tick.label);
            const int tw = tick.labelSize.w, th = tick.labelSize.h;
            tick.labelAt = {a.rightSide ? x + a.labelInset : x - tw - a.labelInset, p - th / 2};
            prevP = p;
            first = false;
        }
        out.push_back(tick);
    });
    return out;
}

std::optional<AxisName> VerticalAxisNameAt(const VerticalAxis& a, PlotSize text) {
    const int W = a.width, H = a.height, x = a.column;
    switch (a.placement) {
        case mpAXIS_HIGH_INSET:
            return std::nullopt;
        case mpAXIS_LOW_BORDER:
            return AxisName{{x - text.w - 4, text.h - H / 2 + 4}};
        case mpAXIS_HIGH_BORDER:
            if (a.second) return AxisName{{W / 2 - 5, -text.w / 2}, -90};
            return AxisName{{x - text.w - 4, 4 - H / 2}};
        default:
            if (a.second) return AxisName{{x + 4, 4 - H / 2}};
            return AxisName{{x - 48, text.w / 2}, 90};
    }
}

}  // namespace plotcore
