#include "packs/scene/caption.h"

#include <GL/gl.h>
#include <stb_easy_font.h>

#include <cstring>

Caption::Caption() : quads(0), width(0), layouts(0) {
    text[0] = '\0';
}

void Caption::Set(const char* line) {
    char sanitized[MaxText + 1];
    int length = 0;
    for (; line[length] != '\0' && length < MaxText; ++length) {
        unsigned char c = static_cast<unsigned char>(line[length]);
        // The font indexes its glyph table with (c - 32): anything outside
        // 32..126 would read outside it.
        sanitized[length] = (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    }
    sanitized[length] = '\0';
    if (std::strcmp(sanitized, text) == 0) return;
    std::memcpy(text, sanitized, static_cast<size_t>(length) + 1);
    quads = stb_easy_font_print(0.0f, 0.0f, sanitized, nullptr, vertices,
                                static_cast<int>(sizeof(vertices)));
    width = stb_easy_font_width(sanitized);
    ++layouts;
}

void Caption::Draw(float x, float y, float scale) const {
    if (quads == 0) return;
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(scale, scale, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 16, vertices);
    glDrawArrays(GL_QUADS, 0, quads * 4);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}
