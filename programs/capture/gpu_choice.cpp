#include "programs/capture/gpu_choice.h"

#include <cstdlib>
#include <string>

#include "foundation/exception.h"

namespace {

const int MostGpus = 1024;

// The first entry of a comma-separated list when it is a GPU's number.
int FirstNumber(const char* list) {
    if (list == nullptr) return -1;
    std::string text(list);
    std::string first = text.substr(0, text.find(','));
    if (first.empty() || first.size() > 4 ||
        first.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    int number = std::atoi(first.c_str());
    return number < MostGpus ? number : -1;
}

std::string GpuList(const std::vector<RenderDevice>& devices) {
    std::string names;
    int count = 0;
    for (const RenderDevice& device : devices) {
        if (device.software) continue;
        names += (count++ == 0 ? ": " : ", ") + device.name;
    }
    return std::to_string(count) + (count == 1 ? " GPU" : " GPUs") + names;
}

}  // namespace

GpuRequest RequestedGpu(int option, const EnvironmentLookup& environment) {
    GpuRequest request;
    if (option >= 0) {
        request.gpu = option;
        request.from = "--gpu";
        request.required = true;
        return request;
    }
    for (const char* name :
         {"CUDA_VISIBLE_DEVICES", "GPU_DEVICE_ORDINAL", "SLURM_STEP_GPUS", "SLURM_JOB_GPUS"}) {
        int gpu = FirstNumber(environment(name));
        if (gpu >= 0) {
            request.gpu = gpu;
            request.from = name;
            return request;
        }
    }
    int task = FirstNumber(environment("SLURM_LOCALID"));
    if (task >= 0) {
        request.gpu = task;
        request.from = "SLURM_LOCALID";
        request.spread = true;
    }
    return request;
}

int ChooseRenderDevice(const std::vector<RenderDevice>& devices, const GpuRequest& request) {
    std::vector<int> gpus, usableGpus;
    int software = -1;
    for (int i = 0; i < static_cast<int>(devices.size()); ++i) {
        const RenderDevice& device = devices[static_cast<std::size_t>(i)];
        if (!device.software) gpus.push_back(i);
        if (device.usable && !device.software) usableGpus.push_back(i);
        if (device.usable && device.software && software < 0) software = i;
    }
    if (request.gpu >= 0 && request.spread && !usableGpus.empty()) {
        return usableGpus[static_cast<std::size_t>(request.gpu) % usableGpus.size()];
    }
    if (request.gpu >= 0 && !request.spread) {
        bool present = request.gpu < static_cast<int>(gpus.size());
        int index = present ? gpus[static_cast<std::size_t>(request.gpu)] : -1;
        if (present && devices[static_cast<std::size_t>(index)].usable) return index;
        if (request.required && present) {
            throw Ombrel::Exception("--gpu %d: %s cannot draw OpenGL off screen", request.gpu,
                                    devices[static_cast<std::size_t>(index)].name.c_str());
        }
        if (request.required) {
            throw Ombrel::Exception("--gpu %d: no such GPU (this machine has %s)", request.gpu,
                                    GpuList(devices).c_str());
        }
    }
    if (!usableGpus.empty()) return usableGpus.front();
    return software;
}
