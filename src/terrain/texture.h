#pragma once
// The colour ramp as texture object 1. Needs a current GL context.

constexpr unsigned ramptexture = 1;  // fixed texture name; never generated
extern bool rampimage;  // texture 1 holds a ramp of at least one texel

// For the fixed-function passes texture 1 is a 1D texture of the samples as
// they stand; for the shader pass (shaderpass, chosen first) a width x 1 2D
// texture of 8-bit texels, since OpenGL ES 2.0 has neither 1D nor float
// textures. Either way filtered linearly and repeated.

// Reads colours.txt from the working directory and uploads it. On any failure
// it says so in one line on standard output and leaves texture 1 without image.
void LoadTexture();
