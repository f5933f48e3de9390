#pragma once
// A box sizer whose minimum is the sum of its items' minimums. The plain box sizer also makes the
// minimum keep the items' proportions, so one wide caption in a narrow share (a record button in
// the right third) would widen the whole window by three times as much. Here the proportions
// share only the space beyond the minimum, and every item still gets at least its own minimum.

#include <wx/sizer.h>

class TightBoxSizer : public wxBoxSizer {
public:
    explicit TightBoxSizer(int orient) : wxBoxSizer(orient) {}

    wxSize CalcMin() override;
};
