#pragma once
// How much of a level gauge the bar covers: the value, held to 0..range, as a share of the width.

namespace gauge {

// Pixels of `width` that the bar covers, truncated; nothing for an empty or negative range.
int FillWidth(int value, int range, int width);

}  // namespace gauge
