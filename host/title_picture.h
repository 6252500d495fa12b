#pragma once

// The setup dialog's title picture (the BMP file of the Windows resources),
// built into the program by the build.
extern const unsigned char TitlePicture[];
extern const unsigned int TitlePictureSize;
