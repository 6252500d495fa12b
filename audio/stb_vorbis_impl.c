/* The Ogg Vorbis decoder, compiled once for the music layer. Third-party
   code: built with its warnings silenced (see CMakeLists.txt). */
#include <stb_vorbis.h>
