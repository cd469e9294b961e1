// The conversions the export dialog offers as well as the actions.
#pragma once
#include <string>

// Each runs the whole operation frame and reports its own outcome.
// `videoTag`, when given, is the codec tag written for the video stream.
bool ConvertWithCodecs(const std::string& input, const std::string& videoWord, const std::string& audioWord,
                       const std::string& qualityWord, const std::string& output,
                       const std::string& videoTag = std::string());
bool EncodeGif(const std::string& input, const std::string& width, const std::string& fps, const std::string& output);
bool ExtractAudioTrack(const std::string& input, const std::string& output, const std::string& formatWord);
