#pragma once

// The host's window icon (the icon file of its Windows resources, "ICON"),
// built into the pack by the build.
extern const unsigned char HostIcon[];
extern const unsigned int HostIconSize;
