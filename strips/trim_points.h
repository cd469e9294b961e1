// The trim range a page holds in its variables, which the strips mark:
// "[TrimStart]" (or "[TrimIn]" when that is empty) and "[TrimEnd]" (or
// "[TrimOut]"), each a time value.
#pragma once

struct TrimPoints {
    bool hasIn, hasOut;  // the variable has a text
    double in, out;      // seconds
};

// Nothing is set when the host gives no way to read variables.
TrimPoints ReadTrimPoints();
