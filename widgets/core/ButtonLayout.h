#pragma once
// The hover picture button's decisions, as plain values: which picture a state shows, where the
// picture goes and where the caption goes.

namespace button {

enum class Picture { None, Normal, Pressed, Hover, Focused, Disabled };

struct State {
    bool pressed = false;
    bool hovered = false;
    bool focused = false;
    bool enabled = true;
};

// Which pictures the button holds.
struct Pictures {
    bool normal = false;
    bool pressed = false;
    bool hover = false;
    bool focused = false;
    bool disabled = false;
};

// First match wins: pressed, hover, focused, disabled, normal; None when no picture fits.
Picture ChoosePicture(const State& state, const Pictures& have);

// Alignment styles of the button (centred on an axis when neither side is chosen).
struct Alignment {
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
};

struct Offset {
    int x = 0;
    int y = 0;
    friend bool operator==(const Offset&, const Offset&) = default;
};

// Top-left corner of the picture: 4 pixels from a chosen edge, otherwise centred (free space
// halved, truncated). Left wins over right and top over bottom when both are given.
Offset PlacePicture(int buttonWidth, int buttonHeight, int pictureWidth, int pictureHeight,
                    const Alignment& align);

// Top-left corner of the caption: centred horizontally and touching the bottom edge.
Offset PlaceCaption(int buttonWidth, int buttonHeight, int captionWidth, int captionHeight);

// Whether entering or leaving the button repaints it.
inline bool RepaintsOnHover(bool enabled, bool hasHoverPicture) {
    return enabled && hasHoverPicture;
}

}  // namespace button
