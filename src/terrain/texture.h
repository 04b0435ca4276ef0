#pragma once
// The colour ramp as texture object 1, a 1D texture. Needs a current GL context.

constexpr unsigned ramptexture = 1;  // fixed texture name; never generated

// Reads colours.txt from the working directory and uploads it. On any failure
// it says so in one line on standard output and leaves texture 1 without image.
void LoadTexture();
