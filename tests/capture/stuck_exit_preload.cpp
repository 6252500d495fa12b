// Loaded before SDL into ombrel-capture by the stuck-exit test: SDL_Quit never
// returns, as when a driver thread waits for ever while the display closes.
#include <unistd.h>

extern "C" void SDL_Quit(void) {
    for (;;) pause();
}
