#pragma once

#include <string>
#include <vector>

#include "programs/capture/frame_range.h"
#include "programs/support/option_table.h"

// What ombrel-capture is asked to do, read from its command line:
//
//   ombrel-capture -o FILE [--size WxH] [--fps N | N/D] [--english]
//                  [--seconds S] [--crf N] [--preset NAME] [--demo FOLDER]
//                  [--frames FIRST-LAST | --frame-count] [--gpu N]
//   ombrel-capture --join -o FILE [--demo FOLDER] SEGMENT...
// The sizes and frame rates a capture makes, which a segment read back must
// keep to as well, are the tools' own (programs/support/option_table.h).
using Ombrel::Tools::LargestRate;
using Ombrel::Tools::LargestSide;
using Ombrel::Tools::SmallestSide;

struct CaptureOptions {
    std::string output;
    int width = 1280;
    int height = 720;
    // The frame rate as the fraction rateNumerator / rateDenominator, in
    // lowest terms: 60000/1001 for 59.94 frames per second.
    int rateNumerator = 60;
    int rateDenominator = 1;
    bool english = false;
    // How long to capture; zero or less: the music's length.
    double seconds = 0.0;
    int crf = 18;
    // x264's trade of speed for size, from "ultrafast" to "placebo". The
    // fastest keeps a capture faster than real time on a small machine; the
    // CRF holds the quality whatever the preset, slower ones make smaller
    // files.
    std::string preset = "ultrafast";
    // The demo's folder (packs and Data/audio.ogg); empty: the packs beside
    // the program and ./Data/audio.ogg, as the host finds them.
    std::string demoFolder;
    // --frames: only these frames of the whole video, as a segment to join
    // later (the picture only, with the whole video's timestamps).
    bool segment = false;
    FrameRange frames;
    // --frame-count: print the whole video's number of frames and stop.
    bool frameCount = false;
    // --gpu: the GPU to draw on without a display, from 0; -1: the one the
    // batch system gave, else the first (gpu_choice.h).
    int gpu = -1;
    // --join: the segments to join into the output, with the music.
    bool join = false;
    std::vector<std::string> segments;
    bool help = false;
};

// Reads the command line (without the program's name). Throws
// Ombrel::Exception naming the option and the value that make no sense.
CaptureOptions ParseCaptureOptions(int count, const char* const* arguments);

// The command line's summary, for --help and for a wrong command line.
const char* CaptureUsage();
