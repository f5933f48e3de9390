#include "widgets/core/GaugeFill.h"

#include <algorithm>

namespace gauge {

int FillWidth(int value, int range, int width) {
    if (range <= 0 || width <= 0) return 0;
    const long long held = std::clamp(value, 0, range);
    return static_cast<int>(held * width / range);
}

}  // namespace gauge
