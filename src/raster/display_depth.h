#pragma once

// The display's bits per pixel: the depth of every bitmap in the device form, and so of every
// tile file. 32 unless a front end says otherwise (the desktop program asks its screen, the
// command line takes --depth); 16, 24 and 32 are supported. At 16 the device form keeps 5 bits
// each of red, green and blue.

namespace mosaren {

int DisplayDepth();
// Set it before any bitmap is made; any other value than 16 or 24 gives 32.
void SetDisplayDepth(int bitsPerPixel);

}  // namespace mosaren
