#include "programs/capture/gpu_choice.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/foundation/test_support.h"

namespace {

GpuRequest Request(int option, const std::map<std::string, std::string>& variables) {
    return RequestedGpu(option, [&](const char* name) -> const char* {
        auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

const RenderDevice Software = {"software", true, true};
const RenderDevice Gpu0 = {"/dev/dri/renderD128", false, true};
const RenderDevice Gpu1 = {"/dev/dri/renderD129", false, true};
const RenderDevice Fenced = {"/dev/dri/renderD130", false, false};

}  // namespace

TEST(GpuChoice, TakeTheOptionThenSlurmsListsThenTheTasksNumber) {
    const struct {
        int option;
        std::map<std::string, std::string> variables;
        int gpu;
        const char* from;
    } cases[] = {
        {-1, {}, -1, ""},
        {2, {{"CUDA_VISIBLE_DEVICES", "1"}}, 2, "--gpu"},
        {-1,
         {{"CUDA_VISIBLE_DEVICES", "3,1"}, {"SLURM_STEP_GPUS", "5"}},
         3,
         "CUDA_VISIBLE_DEVICES"},
        {-1,
         {{"CUDA_VISIBLE_DEVICES", "NoDevFiles"}, {"GPU_DEVICE_ORDINAL", "2"}},
         2,
         "GPU_DEVICE_ORDINAL"},
        {-1,
         {{"CUDA_VISIBLE_DEVICES", "GPU-8f6c"}, {"SLURM_STEP_GPUS", "4,5"}},
         4,
         "SLURM_STEP_GPUS"},
        {-1, {{"CUDA_VISIBLE_DEVICES", "-1"}, {"SLURM_JOB_GPUS", "6"}}, 6, "SLURM_JOB_GPUS"},
        {-1, {{"CUDA_VISIBLE_DEVICES", ""}, {"SLURM_LOCALID", "3"}}, 3, "SLURM_LOCALID"},
        {-1, {{"SLURM_LOCALID", "x"}}, -1, ""},
    };
    for (const auto& c : cases) {
        GpuRequest request = Request(c.option, c.variables);
        EXPECT_EQ(request.gpu, c.gpu) << c.from;
        EXPECT_EQ(request.from, c.from);
        EXPECT_EQ(request.required, c.option >= 0) << c.from;
        EXPECT_EQ(request.spread, std::string(c.from) == "SLURM_LOCALID") << c.from;
    }
}

TEST(GpuChoice, DrawOnTheGpuAskedForElseAUsableOneElseTheProcessor) {
    const struct {
        std::vector<RenderDevice> devices;
        GpuRequest request;
        int chosen;
    } cases[] = {
        {{Software, Gpu0, Gpu1}, {}, 1},                  // a GPU before the software one
        {{Software}, {}, 0},                              // the processor where no GPU is
        {{}, {}, -1},                                     // nothing: no device to draw on
        {{Software, Gpu0, Gpu1}, {1, "--gpu", true}, 2},  // GPUs counted without software
        {{Software, Gpu0, Gpu1}, {1, "CUDA_VISIBLE_DEVICES"}, 2},
        {{Fenced, Gpu0, Software}, {0, "CUDA_VISIBLE_DEVICES"}, 1},  // fenced off: another
        {{Gpu0, Fenced}, {5, "SLURM_STEP_GPUS"}, 0},                 // numbered otherwise
        {{Fenced, Software}, {0, "SLURM_STEP_GPUS"}, 1},
        {{Gpu0, Fenced, Gpu1}, {3, "SLURM_LOCALID", false, true}, 2},  // in turn, usable only
        {{Software}, {1, "SLURM_LOCALID", false, true}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseRenderDevice(c.devices, c.request), c.chosen)
            << c.request.from << " " << c.request.gpu;
    }
}

TEST(GpuChoice, RefuseARequiredGpuThatCannotDrawNamingIt) {
    auto chosen = [](std::vector<RenderDevice> devices, int gpu) {
        return MessageOf([&] { ChooseRenderDevice(devices, {gpu, "--gpu", true}); }, "(accepted)");
    };
    EXPECT_EQ(chosen({Software, Gpu0}, 1),
              "--gpu 1: no such GPU (this machine has 1 GPU: /dev/dri/renderD128)");
    EXPECT_EQ(chosen({Software}, 0), "--gpu 0: no such GPU (this machine has 0 GPUs)");
    EXPECT_EQ(chosen({Gpu0, Fenced}, 1),
              "--gpu 1: /dev/dri/renderD130 cannot draw OpenGL off screen");
}
