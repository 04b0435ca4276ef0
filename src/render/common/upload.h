#pragma once
// What both renderers send the GL alike: texels of a given number of
// components, and buffer objects, the landscape's strips among them.

// The pixel format of texels of 1 to 4 components (luminance, luminance and
// alpha, RGB, RGBA).
unsigned PixelFormat(int components);

// A buffer object (made when buffer is 0) filled with bytes.
void FillBuffer(unsigned &buffer, const void *data, long bytes);

// The landscape's strips in such a buffer, with the culling pieces bounded,
// when holds (the gridsgeneration it was filled from; 0 before) is behind.
void FillStrips(unsigned &buffer, unsigned &holds);
