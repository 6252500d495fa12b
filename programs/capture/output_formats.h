#pragma once

#include <memory>
#include <string>

#include "programs/capture/media_writer.h"

// The kinds of output this build writes, chosen by the output's extension
// (output_formats_ffmpeg.cpp where FFmpeg's libraries are, else
// output_formats_win32.cpp).

// The extensions, for messages: ".mp4, .mkv or .y4m".
const char* OutputKinds();

// Throws naming the output when its extension is none of them.
void CheckOutputKind(const std::string& path);

// Starts writing `path`; throws naming it when it cannot be written.
std::unique_ptr<MediaWriter> OpenMediaWriter(const std::string& path, const MediaFormat& format);

// The files a finished capture leaves, for messages: "demo.mp4", or
// "demo.y4m and demo.wav".
std::string OutputFiles(const std::string& path);

// The output's extension in lower case, with its dot; empty when none.
std::string OutputExtension(const std::string& path);
