// The overlay preview's box: where it starts, how the mouse drags it and the
// wheel resizes it, and what it publishes. The text's measured size comes
// from the window, which alone has a font to measure with.
#pragma once
#include <string>
#include "strips/strip_records.h"

const int kMinOverlayFont = 8;
const int kMaxOverlayFont = 200;

// A text colour: a name of the table, "#rrggbb" (exactly seven characters), else white.
Colour ParseOverlayColour(const std::string& text);
// The size typed at creation; below 8 gives 24.
int OverlayFontSize(const std::string& text);
// Opacity as typed; not above 0 gives 0.5, above 1 gives 1.0.
float OverlayOpacity(const std::string& text);

// The creation box of an image `imageWidth` x `imageHeight` in a Rectangle
// Wc x Hc: `widthText` wide (100 when not above 0), in proportion, 10 pixels
// from the bottom right corner.
void PlaceImageBox(OverlayRecord& overlay, int clientWidth, int clientHeight, const std::string& widthText);
// The box around a text measured `textWidth` x `textHeight` at the font size.
void FitTextBox(OverlayRecord& overlay, int textWidth, int textHeight);

// Left button down at (mx, my): starts a drag when unlocked and within the
// box widened by 5 pixels. True when a drag started.
bool StartOverlayDrag(OverlayRecord& overlay, int mx, int my);
// Mouse move while dragging: the box follows, kept inside the client area.
void DragOverlay(OverlayRecord& overlay, int mx, int my, int clientWidth, int clientHeight);
// One wheel notch: images grow or shrink 8 pixels (at least 20 wide), texts
// change their font size by 2 within 8..200. False when locked. A text's
// caller measures it again and calls FitTextBox.
bool WheelOverlay(OverlayRecord& overlay, int delta);
// Update action: a non-empty text replaces the text, a non-empty size sets
// the font size (at least 8). The box keeps its size.
void UpdateOverlay(OverlayRecord& overlay, const std::string& text, const std::string& fontSizeText);
// "DRAG TO MOVE X:10 Y:10 W:80 H:30" or with "LOCKED".
std::string OverlayLabel(const OverlayRecord& overlay);
// "[OvX]", "[OvY]", "[OvW]", "[OvH]", "[OvVideoW]", "[OvVideoH]".
void PublishOverlayBox(OverlayRecord& overlay);
