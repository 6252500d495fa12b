#pragma once

// The one empty text that both plugins answer for GetInfo1 to GetInfo6.
extern const char PluginInfoText[];
