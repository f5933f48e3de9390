#include "widgets/core/ButtonLayout.h"

namespace button {
namespace {
constexpr int kEdgeGap = 4;
}

Picture ChoosePicture(const State& state, const Pictures& have) {
    if (state.pressed && have.pressed) return Picture::Pressed;
    if (state.hovered && have.hover) return Picture::Hover;
    if (state.focused && have.focused) return Picture::Focused;
    if (!state.enabled && have.disabled) return Picture::Disabled;
    return have.normal ? Picture::Normal : Picture::None;
}

Offset PlacePicture(int buttonWidth, int buttonHeight, int pictureWidth, int pictureHeight,
                    const Alignment& align) {
    Offset at;
    if (align.left)
        at.x = kEdgeGap;
    else if (align.right)
        at.x = buttonWidth - pictureWidth - kEdgeGap;
    else
        at.x = (buttonWidth - pictureWidth) / 2;
    if (align.top)
        at.y = kEdgeGap;
    else if (align.bottom)
        at.y = buttonHeight - pictureHeight - kEdgeGap;
    else
        at.y = (buttonHeight - pictureHeight) / 2;
    return at;
}

Offset PlaceCaption(int buttonWidth, int buttonHeight, int captionWidth, int captionHeight) {
    return {(buttonWidth - captionWidth) / 2, buttonHeight - captionHeight};
}

}  // namespace button
