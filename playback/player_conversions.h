// How the player actions turn an author's texts into MCI numbers.
#pragma once
#include <string>

// A time text (h:m:s, m:s or seconds; "" is 0) as whole milliseconds, truncated.
int SeekMilliseconds(const std::string& time);
// A 0..100 level (clamped; no digits is 0) as MCI's 0..1000 volume.
int MciVolume(const std::string& level);
// A speed factor as MCI's thousandths, truncated, not clamped.
int MciSpeed(const std::string& factor);
// "true" in any case turns a setting on; "1" does too when `oneCounts`.
bool IsOnWord(const std::string& text, bool oneCounts);
