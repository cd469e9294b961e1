// A compact built-in bitmap font for pictures of the native windows.
#pragma once

enum { kGlyphColumns = 5, kGlyphRows = 7 };

// The glyph's seven rows from the top; bit 4 of a row is its leftmost column.
// Characters outside printable ASCII show as '?'.
const unsigned char* GlyphRows(char c);
// How many rows below the others the glyph is drawn: the descenders' drop.
int GlyphDrop(char c);
