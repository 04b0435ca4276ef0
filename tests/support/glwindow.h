#pragma once
// A real GLUT window for tests that read GL state and pixels back. Needs an X
// display (the test command starts a virtual one).
#include <cstdint>
#include <string>
#include <vector>

#include "render/fixed/fixed.h"

// Opens the 500 x 500 window once, with the program's render state.
void OpenTestWindow();

// Opens, once, a second window whose context the shader renderer draws in,
// chosen as VELLMOOR_SHADERS=1 asks, with the ramp from colours.txt in dir.
void OpenShaderWindow(const char *dir);

// Makes the first window's context current and its renderer (the
// fixed-function one) the one in use, or the second's (the shader one).
void UseWindow(bool shaders);

// LoadTexture in the current context, run in folder dir; its console text.
std::string LoadRampFrom(const std::string &dir);

// Back buffer as RGB bytes, bottom row first.
std::vector<std::uint8_t> ReadFrame();

// Draws one frame with the given landscape pass of the fixed-function
// renderer and reads it back before the swap; a null pass draws the frame
// of the renderer in use.
std::vector<std::uint8_t> RenderFrame(LandscapePass pass);

// RGB of one pixel of a frame, x from the left, y from the top.
struct Rgb {
    int r, g, b;
};
Rgb PixelAt(const std::vector<std::uint8_t> &frame, int x, int y);
