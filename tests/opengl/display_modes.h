#pragma once

#include <string>

// The modes of the X display's screen, as a monitor offers them. A virtual
// display has one mode; a test offers another for the demo to switch to.
class DisplayModes {
public:
    DisplayModes();
    ~DisplayModes();
    DisplayModes(const DisplayModes&) = delete;
    DisplayModes& operator=(const DisplayModes&) = delete;

    // Offers a mode of width x height. It lasts while this object lives, so
    // make it before the pack lists the display's modes.
    bool Offer(int width, int height);
    // The size of the mode the display shows now, as "WIDTHxHEIGHT".
    std::string Current();

private:
    void* display;
};
