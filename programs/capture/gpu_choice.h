#pragma once

#include <functional>
#include <string>
#include <vector>

// Which device draws a capture that has no display to draw on: one of the
// devices the system offers for OpenGL off screen (each GPU, and renderers
// that run on the processor), picked by the GPU that the command line or the
// batch system asks for. GPUs are numbered from 0 in the order the system
// lists them, renderers on the processor not counted.

// A device that can hold an OpenGL context off screen.
struct RenderDevice {
    std::string name;  // how a log names it: "/dev/dri/renderD128", "software"
    bool software;     // a renderer on the processor, not a GPU
    bool usable;       // it starts and offers an OpenGL surface off screen
};

// The GPU asked for, and who asked.
struct GpuRequest {
    int gpu = -1;           // -1: none asked for
    std::string from;       // "--gpu", or the environment variable it came from
    bool required = false;  // --gpu: that GPU or an error, never another
    bool spread = false;    // a task's number on its node: GPUs taken in turn
};

// Reads a variable of the environment; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The GPU asked for, first found of:
//   --gpu N (`option` >= 0), required;
//   the GPUs Slurm gave the task, the first of the list, as the GPU runtimes
//   number them (CUDA_VISIBLE_DEVICES, then GPU_DEVICE_ORDINAL) or as Slurm
//   does (SLURM_STEP_GPUS, then SLURM_JOB_GPUS);
//   the task's number on its node (SLURM_LOCALID), spread over the GPUs.
// A list that names no GPU by number ("NoDevFiles", a GPU's UUID, -1) is
// passed over.
GpuRequest RequestedGpu(int option, const EnvironmentLookup& environment);

// The index in `devices` of the one to draw on: the GPU asked for when it is
// usable, else the first usable GPU, else the first usable renderer on the
// processor; -1 when none can draw. A GPU that Slurm names may be one this
// process cannot open (its devices fenced off, or numbered otherwise), so the
// first usable one stands in for it. Throws Ombrel::Exception naming the GPU
// when the one required is missing or unusable.
int ChooseRenderDevice(const std::vector<RenderDevice>& devices, const GpuRequest& request);
