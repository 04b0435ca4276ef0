#pragma once
// The landscape written out, for the tools people already use: a glTF 2.0
// binary mesh (.glb: Blender, Godot, three.js, Unreal), a 16-bit greyscale
// height map (.png: Unreal's landscapes) or raw 16-bit heights (.r16:
// Unity's terrains), chosen by the name's ending. docs/formats.md has the
// exact layouts.
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

struct Ramp;

enum class LandscapeFormat { unknown, glb, png, r16 };

// By the name's ending, in any case.
LandscapeFormat FormatOf(const std::string &path);

// The files' bytes, from the grids as they stand. The mesh's colours are
// the ramp's as the viewer samples it, or plain (RGB 0..1) without a ramp.
std::vector<unsigned char> LandscapeGlb(const Ramp *ramp, const float plain[3]);
std::vector<unsigned char> LandscapePng();
std::vector<unsigned char> LandscapeR16();

// The lowest and highest heights of the whole grid, walls included.
std::pair<float, float> HeightRange();

// The heights as 16-bit samples, column i and row j at j * 501 + i: 0 the
// lowest height, 65535 the highest, walls included.
struct HeightSamples {
    std::vector<unsigned short> samples;
    float lowest, highest;  // world units
};
HeightSamples SampleHeights();

// The shortest text that reads back as v, the same in every build.
std::string Number(float v);

// Writes the landscape to path in the format its ending names, with the
// ramp LoadTexture read, whole or not at all: on failure one line on err
// and false, and any older file of that name as it was.
bool ExportLandscape(const std::string &path, const float plain[3], std::ostream &err);

// Where a flight's landscape is kept: "vellmoor-SECONDS.glb".
std::string KeptName();
