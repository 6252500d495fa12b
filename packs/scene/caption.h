#pragma once

// One line of text laid out with a small stroke font, ready to draw as quads.
// The storage is fixed, so laying out and drawing never allocate.
class Caption {
public:
    static constexpr int MaxText = 127;

    Caption();

    // Lays out `line` (at most MaxText characters; the rest is cut). The font
    // has only printable ASCII, so every other byte, such as those of
    // accented letters, is shown as '?'. Setting the same text again costs
    // only a comparison.
    void Set(const char* line);

    const char* GetText() const { return text; }
    int GetQuadCount() const { return quads; }
    // How many texts have been laid out; setting the shown text again adds none.
    int GetLayoutCount() const { return layouts; }
    // Width and height of the laid-out text in font units (about a pixel).
    int GetWidth() const { return width; }

    // Draws the text with its top left corner at (x, y), in a projection where
    // y grows downwards, scaled by `scale`, in the current colour.
    void Draw(float x, float y, float scale) const;

private:
    char text[MaxText + 1];
    int quads;
    int width;
    int layouts;
    // About 270 bytes per character, as the font's own documentation says;
    // 16 bytes per vertex, 4 vertices per quad.
    float vertices[(MaxText + 1) * 300 / 4];
};
