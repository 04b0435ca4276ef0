#pragma once
// What the shader renderer's files share: its programs, built once, and the
// GL objects it draws from. OpenGL ES 2.0 calls only.
#include <cstddef>

struct FrameView;
struct Ramp;

// Vertex attribute locations, the same in every program.
enum Attribute : unsigned {
    attrposition = 0,  // object coordinates; location 0, which a desktop GL needs drawn from
    attrnormal = 1,
    attrcoord = 2,     // the ramp coordinate, or a glyph's atlas coordinates
    attrposition2 = 3, // the sky's: SkyVertex's to.position, to.normal and t
    attrnormal2 = 4,
    attralong = 5,
    attrorigin = 6     // a glyph's raster position
};

// A linked program and its uniforms' locations (-1 where it has none).
struct Program {
    unsigned id;  // 0 until built
    int modelview, projection, normalmatrix;
    int textured;               // the landscape's: a ramp to sample, or the sky's colour without one
    int normal;                 // the overlay's: the current normal
};
extern Program skyprogram, landscapeprogram, textprogram;

// Compiles and links the programs and hands them the fixed state's numbers
// (light 0, fog, samplers, the untextured landscape's colour); false,
// printing nothing, where the GL cannot.
bool BuildPrograms();

// The GL objects, each 0 until made.
extern unsigned skybuffer;         // the sky's clipped triangles, SkyVertex's, filled each frame
extern unsigned indexbuffer;       // the landscape's visible strips as one, filled each frame (32-bit indices)
extern std::size_t skyroom, indexroom;  // bytes skybuffer and indexbuffer hold, kept from frame to frame
extern unsigned landscapebuffer;   // the landscape's strips, as StripVertices lays them out
extern unsigned landscapefor;      // the gridsgeneration landscapebuffer holds; 0 before the first fill
extern unsigned textbuffer;        // the overlay's glyphs, two triangles each: x, y, atlas s, t, raster x, y
extern unsigned glyphtexture;      // the glyph atlas
extern unsigned ramptexture2d;     // the ramp, a width x 1 2D texture: WebGL binds no texture it did not generate
extern bool rampimage;             // ramptexture2d holds a ramp of at least one texel
extern bool multidraws;            // the GL draws many strips in one call (WebGL's WEBGL_multi_draw)
extern bool bigindices;            // the GL draws with 32-bit indices (WebGL's OES_element_index_uint)
extern int textvertices;           // in textbuffer

// Face culling with clockwise front faces, the depth test and the clear
// colour, as the fixed-function set-up leaves them; the sky and the overlay
// made.
void InitShaderState();

// The ramp as OpenGL ES 2.0 takes it: 8-bit texels, 2D.
void UploadRamp2D(const Ramp *ramp);

// Everything of a frame but the swap.
void ShaderFrame(const FrameView &view);

// Makes the ramp's texture name; false where the GL lacks an entry point or
// a program does not build.
bool StartShaders();

// Every object and program forgotten, for a new context.
void ForgetShaders();
