// SDL queues every event apiece, where Windows merges pointer moves into one
// message: the pack must keep Escape and the close button from waiting
// behind events the window never acts on.
#include <SDL.h>

#include "foundation/exception.h"
#include "tests/opengl/demo_window.h"

class EventQueueTest : public DemoWindowTest {
protected:
    SDL_Window* OpenDemoWindow(const char* title) {
        OpenWindow(title);
        SDL_Window* window = SDL_GL_GetCurrentWindow();
        EXPECT_NE(nullptr, window) << "OpenGLInit left no current OpenGL window";
        ShowFrame(0.0f);
        return window;
    }
};

TEST_F(EventQueueTest, EscapeBehindEventsTheWindowIgnoresEndsTheDemoAtTheNextFrame) {
    SDL_Window* window = OpenDemoWindow("Kestrelia queue");
    ASSERT_NE(nullptr, window);
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = SDLK_a;
    for (int i = 0; i < 40; ++i) ASSERT_EQ(1, SDL_PushEvent(&event));
    event.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(1, SDL_PushEvent(&event));

    try {
        ShowFrame(0.1f);
        ADD_FAILURE() << "one frame after Escape, the demo goes on: Escape waits behind 40 keys";
    } catch (const Ombrel::Exception& e) {
        EXPECT_STREQ("OpenGL window closed", e.message);
    }
}

TEST_F(EventQueueTest, APointerSweepingTheWindowLeavesNothingQueued) {
    SDL_Window* window = OpenDemoWindow("Kestrelia pointer");
    ASSERT_NE(nullptr, window);
    // Each warp is a real pointer motion from the X server.
    for (int i = 0; i < 500; ++i) SDL_WarpMouseInWindow(window, 10 + i % 300, 10 + i * 7 % 220);
    SDL_PumpEvents();
    EXPECT_EQ(0, SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEWHEEL))
        << "pointer events are queued for frames to wade through";
}
