#include "tools/capture/frame_reader.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/exception.h"
#include "tools/capture/gl_functions.h"

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

FrameReader::FrameReader(int width, int height)
    : width_(width), height_(height), buffers_{0, 0}, next_(0), waiting_(0) {
    if (glGetString(GL_VERSION) == nullptr) {
        throw Ombrel::Exception("No OpenGL context to read the frames from");
    }
    auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    gl_ = FindPixelBufferFunctions();
    if (!gl_) {
        pixels_.resize(bytes);
        return;
    }
    gl_->genBuffers(2, buffers_);
    for (GLuint buffer : buffers_) {
        gl_->bindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
        gl_->bufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr,
                        GL_STREAM_READ);
    }
    gl_->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

FrameReader::~FrameReader() {
    if (gl_ && buffers_[0] != 0) gl_->deleteBuffers(2, buffers_);
}

// The per-frame path: one read into memory allocated up front.
void FrameReader::Read(FrameSink& sink) {
    SetPackState();
    if (!gl_) {
        glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, pixels_.data());
        sink.TakeFrame(pixels_.data());
        return;
    }
    gl_->bindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[next_]);
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    gl_->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    next_ = 1 - next_;
    ++waiting_;
    // The frame before this one is due; this one arrives while the next is
    // drawn.
    if (waiting_ == 2) Deliver(sink);
}

void FrameReader::Drain(FrameSink& sink) {
    while (waiting_ > 0) Deliver(sink);
}

void FrameReader::Abandon() {
    waiting_ = 0;
    buffers_[0] = buffers_[1] = 0;
}

void FrameReader::Deliver(FrameSink& sink) {
    int oldest = waiting_ == 2 ? next_ : 1 - next_;
    gl_->bindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[oldest]);
    const void* mapped = gl_->mapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY);
    --waiting_;
    if (mapped == nullptr) {
        gl_->bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        throw Ombrel::Exception("OpenGL could not map the pixels of a frame read back");
    }
    // The buffer is unmapped even when the sink fails.
    struct Unmap {
        const PixelBufferFunctions& gl;
        ~Unmap() {
            gl.unmapBuffer(GL_PIXEL_PACK_BUFFER);
            gl.bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        }
    } unmap{*gl_};
    sink.TakeFrame(static_cast<const std::uint8_t*>(mapped));
}
