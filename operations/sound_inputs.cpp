#include "operations/sound_inputs.h"

SoundInputs::SoundInputs(int firstInput) : inputs_(BuildCommand("", {})), next_(firstInput) {}

int SoundInputs::Add(const std::string& file, double start, double seconds) {
    inputs_ = BuildCommand("%s -ss %.3f -t %.3f -i \"%s\"",
                           {{"Inputs", inputs_}, {"Start", start}, {"Length", seconds}, {"File", file}});
    return next_++;
}

int SoundInputs::AddWhole(const std::string& file) {
    inputs_ = BuildCommand("%s -i \"%s\"", {{"Inputs", inputs_}, {"File", file}});
    return next_++;
}

CommandOutcome SoundInputs::After(const CommandOutcome& pictureInputs) const {
    return BuildCommand("%s%s", {{"Inputs", pictureInputs}, {"SoundInputs", inputs_}});
}
