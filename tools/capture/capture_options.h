#pragma once

#include <string>

// What ombrel-capture is asked to do, read from its command line:
//
//   ombrel-capture -o FILE [--size WxH] [--fps N | N/D] [--english]
//                  [--seconds S] [--crf N] [--preset NAME] [--demo FOLDER]
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
    bool help = false;
};

// Reads the command line (without the program's name). Throws
// Ombrel::Exception naming the option and the value that make no sense.
CaptureOptions ParseCaptureOptions(int count, const char* const* arguments);

// The command line's summary, for --help and for a wrong command line.
const char* CaptureUsage();
