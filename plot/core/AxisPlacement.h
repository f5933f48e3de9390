#pragma once
// Where an axis layer stands: the placement codes that all four axis classes take as their flags.
// "Low" is the bottom for a horizontal axis and the left for a vertical one, "high" the top or the
// right; the insets differ by axis and are given in each axis's Plot.
enum mpAxisPlacement : int {
    mpAXIS_HIGH_INSET = 0,   // near the top edge (horizontal) or the right edge (vertical)
    mpAXIS_AT_ORIGIN = 1,    // through the world origin: the line y = 0, resp. x = 0
    mpAXIS_LOW_INSET = 2,    // bottom or left, a fixed inset in; the graph view's main axes
    mpAXIS_LOW_BORDER = 4,   // on the bottom or left border
    mpAXIS_HIGH_BORDER = 5,  // on the top or right border; the graph view's second axis
};
