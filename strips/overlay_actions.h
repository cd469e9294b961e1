// The two actions that create an overlay preview over a player Rectangle.
#pragma once
#include "host/dispatch.h"

void OverlayPreviewTextAction(const ActionArgs& a);   // 151 PlayerRect, Text, FontSize, Color
void OverlayPreviewImageAction(const ActionArgs& a);  // 152 PlayerRect, ImageFile, Width, Opacity
