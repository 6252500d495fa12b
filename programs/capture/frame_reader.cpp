#include "programs/capture/frame_reader.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/exception.h"
#include "programs/capture/gl_functions.h"

// The buffer object functions, core since OpenGL 1.5 and in the ARB
// extension before that, under the same signatures.
struct PixelBufferFunctions {
    PFNGLGENBUFFERSPROC genBuffers;
    PFNGLDELETEBUFFERSPROC deleteBuffers;
    PFNGLBINDBUFFERPROC bindBuffer;
    PFNGLBUFFERDATAPROC bufferData;
    PFNGLMAPBUFFERPROC mapBuffer;
    PFNGLUNMAPBUFFERPROC unmapBuffer;
};

namespace {

template <typename Function>
bool Find(const char* name, Function* function) {
    void* found = FindGLFunction(name);
    if (found == nullptr) found = FindGLFunction((std::string(name) + "ARB").c_str());
    *function = reinterpret_cast<Function>(found);
    return found != nullptr;
}

bool OffersPixelBuffers() {
    // OMBREL_CAPTURE_READBACK=plain reads every frame at once, for comparing.
    const char* choice = std::getenv("OMBREL_CAPTURE_READBACK");
    if (choice != nullptr && std::strcmp(choice, "plain") == 0) return false;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    int major = 0, minor = 0;
    bool core = version != nullptr && std::sscanf(version, "%d.%d", &major, &minor) == 2 &&
                (major > 2 || (major == 2 && minor >= 1));
    return core || (extensions != nullptr &&
                    std::strstr(extensions, "GL_ARB_pixel_buffer_object") != nullptr);
}

std::unique_ptr<PixelBufferFunctions> FindPixelBufferFunctions() {
    if (!OffersPixelBuffers()) return nullptr;
    std::unique_ptr<PixelBufferFunctions> gl(new PixelBufferFunctions);
    bool found = Find("glGenBuffers", &gl->genBuffers) &&
                 Find("glDeleteBuffers", &gl->deleteBuffers) &&
                 Find("glBindBuffer", &gl->bindBuffer) && Find("glBufferData", &gl->bufferData) &&
                 Find("glMapBuffer", &gl->mapBuffer) && Find("glUnmapBuffer", &gl->unmapBuffer);
    if (!found) return nullptr;
    return gl;
}

// Whatever the scene left set, rows are packed tight from the back buffer.
void SetPackState() {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

}  // namespace

std::string CurrentRenderer() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr ? renderer : "an unnamed renderer";
}

FrameReader::FrameReader(int frameWidth, int frameHeight)
    : width(frameWidth), height(frameHeight), buffers{0, 0}, next(0), waiting(0) {
    if (glGetString(GL_VERSION) == nullptr) {
        throw Ombrel::Exception("No OpenGL context to read the frames from");
    }
    auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    gl = FindPixelBufferFunctions();
    if (!gl) {
        pixels.resize(bytes);
        return;
    }
    gl->genBuffers(2, buffers);
    for (GLuint buffer : buffers) {
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
        gl->bufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr,
                       GL_STREAM_READ);
    }
    gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

FrameReader::~FrameReader() {
    if (gl && buffers[0] != 0) gl->deleteBuffers(2, buffers);
}

// The per-frame path: one read into memory allocated up front.
void FrameReader::Read(FrameSink& sink) {
    SetPackState();
    if (!gl) {
        glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        sink.TakeFrame(pixels.data());
        return;
    }
    gl->bindBuffer(GL_PIXEL_PACK_BUFFER, buffers[next]);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    next = 1 - next;
    ++waiting;
    // The frame before this one is due; this one arrives while the next is
    // drawn.
    if (waiting == 2) Deliver(sink);
}

void FrameReader::Drain(FrameSink& sink) {
    while (waiting > 0) Deliver(sink);
}

void FrameReader::Abandon() {
    waiting = 0;
    buffers[0] = buffers[1] = 0;
}

void FrameReader::Deliver(FrameSink& sink) {
    int oldest = waiting == 2 ? next : 1 - next;
    gl->bindBuffer(GL_PIXEL_PACK_BUFFER, buffers[oldest]);
    const void* mapped = gl->mapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY);
    --waiting;
    if (mapped == nullptr) {
        gl->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        throw Ombrel::Exception("OpenGL could not map the pixels of a frame read back");
    }
    // The buffer is unmapped even when the sink fails.
    struct Unmap {
        const PixelBufferFunctions& gl;
        ~Unmap() {
            gl.unmapBuffer(GL_PIXEL_PACK_BUFFER);
            gl.bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        }
    } unmap{*gl};
    sink.TakeFrame(static_cast<const std::uint8_t*>(mapped));
}
