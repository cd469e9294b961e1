// The inputs a one-graph render reads its pieces' sound through: one per
// piece, numbered after the pictures' inputs. Read through a picture's input,
// the sound a cross-fade wants ahead of its picture makes ffmpeg decode that
// file's pictures too and hold every one until the picture's turn: gigabytes
// on a long timeline. An input whose picture is never used decodes none.
#pragma once
#include <string>
#include "toolchain/command_builder.h"

class SoundInputs {
public:
    // The first sound input gets number `firstInput`: the pictures' inputs come first.
    explicit SoundInputs(int firstInput);
    // Adds `seconds` of `file` from `start` (" -ss S -t L -i "file""); gives its input number.
    int Add(const std::string& file, double start, double seconds);
    // Adds the whole of `file`; gives its input number.
    int AddWhole(const std::string& file);
    // The pictures' inputs followed by these.
    CommandOutcome After(const CommandOutcome& pictureInputs) const;
    // The number the next input added to the command gets.
    int NextInput() const { return next_; }

private:
    CommandOutcome inputs_;
    int next_;
};
