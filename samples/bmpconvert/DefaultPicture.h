// The picture that bmpconvert starts from when no input file is given.
#pragma once
#include "image/DIBSection.h"

// Draws a 320 x 240, 24-bit picture (sky, sun, hills, a house, a caption) into image.
BOOL MakeDefaultPicture(CDIBSection& image);
