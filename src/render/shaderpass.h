#pragma once
// The shader pass's own: its programs, built once, and what of the fixed
// render state an OpenGL ES 2.0 context has.

// Vertex attribute locations, the same in every program.
enum Attribute : unsigned {
    attrposition = 0,  // object coordinates; location 0, which a desktop GL needs drawn from
    attrnormal = 1,
    attrcoord = 2      // the ramp coordinate, or a glyph's atlas coordinates
};

// A linked program and its uniforms' locations (-1 where it has none).
struct Program {
    unsigned id;  // 0 until built
    int modelview, projection, normalmatrix;
    int textured;               // the landscape's: a ramp to sample, or the sky's colour without one
    int origin, normal;         // the overlay's: a glyph's raster position (eye coordinates), the current normal
};
extern Program skyprogram, floorprogram, textprogram;

// Compiles and links the programs and hands them the fixed state's numbers
// (light 0, fog, samplers, the untextured ground's colour); false, printing nothing, where the GL cannot.
bool BuildPrograms();

// Face culling with clockwise front faces, the depth test and the clear
// colour, as the fixed-function set-up leaves them.
void InitShaderState();
