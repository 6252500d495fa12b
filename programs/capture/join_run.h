#pragma once

#include "programs/capture/capture_options.h"
#include "programs/capture/capture_run.h"

// Joins the segments of a split capture (ombrel-capture --frames) into the
// output: checks that they are of one video and hold each of its frames
// once, copies their pictures in order and adds the music, encoded once for
// the whole length. Matroska segments make an .mp4 or .mkv output, Y4M
// segments a .y4m output with its .wav. Throws Ombrel::Exception naming the
// segment at fault; nothing appears under the output's name unless the
// join is complete.
CaptureStatus RunJoin(const CaptureOptions& options);
