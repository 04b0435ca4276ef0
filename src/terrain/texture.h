#pragma once
// The colour ramp as a texture. Needs a current GL context.
struct Ramp;

constexpr unsigned ramptexture = 1;  // its name for the fixed-function passes; never generated
extern unsigned shaderramp;  // the shader pass's: generated once, since WebGL binds no other; 0 before
extern bool rampimage;       // the texture holds a ramp of at least one texel

// For the fixed-function passes the texture is a 1D texture of the samples as
// they stand; for the shader pass (shaderpass, chosen first) a width x 1 2D
// texture of 8-bit texels, since OpenGL ES 2.0 has neither 1D nor float
// textures. Either way filtered linearly and repeated.

// Reads colours.txt from the working directory and uploads it. On any failure
// it says so in one line on standard output and leaves the texture without image.
void LoadTexture();

// The GL's pixel format for texels of 1 to 4 components: luminance, luminance
// and alpha, RGB, RGBA.
unsigned PixelFormat(int components);

// The fixed-function passes' ramp: ramptexture as a 1D texture of the
// samples as floats.
void UploadRamp1D(const Ramp &ramp);
