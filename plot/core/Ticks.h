#pragma once
// Tick spacing in powers of five and the number labels of the axes.
#include <wx/string.h>

#include <functional>

namespace plotcore {

struct TickStep {
    int e = 0;           // exponent: the step is 5^e
    double step = 0.0;   // pixels per step lie in (25.6, 128]
    bool valid = false;  // false for a scale of zero, infinity or NaN: no ticks at all
};

TickStep ComputeTickStep(double pixelsPerUnit);
double FirstTick(double viewStart, double step);
// Calls visit(t) for t = FirstTick(start), + step, ... while t < end. Stops early should the step
// vanish against t (huge offsets), so a degenerate view never loops forever.
void ForEachTick(double start, double end, const TickStep& s,
                 const std::function<void(double)>& visit);

enum class AxisLabelKind { PrimaryY, SecondY, NumericX };
// "%.f" for steps of 5 and more, otherwise one decimal (vertical) or two (numeric horizontal);
// the second vertical axis always uses one decimal.
wxString FormatAxisLabel(double value, int e, AxisLabelKind kind);

}  // namespace plotcore
