#pragma once
// A real GLUT window for tests that read GL state and pixels back. Needs an X
// display (the test command starts a virtual one).
#include <cstdint>
#include <vector>

// Opens the 500 x 500 window once, with the program's render state.
void OpenTestWindow();

// Back buffer as RGB bytes, bottom row first.
std::vector<std::uint8_t> ReadFrame();

// Draws one frame with the given landscape pass and reads it back before the swap.
std::vector<std::uint8_t> RenderFrame(void (*pass)());

// RGB of one pixel of a frame, x from the left, y from the top.
struct Rgb {
    int r, g, b;
};
Rgb PixelAt(const std::vector<std::uint8_t> &frame, int x, int y);
