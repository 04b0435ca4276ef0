#pragma once
// Helpers shared by the tests and the benchmark harness: grids, console capture.
#include <functional>
#include <string>

// Both grids back to their start value, 0 everywhere.
void ClearGrids();

// Runs fn with standard output sent to a string; returns what it wrote.
std::string CaptureStdout(const std::function<void()> &fn);

// A fresh landscape from a seed of the C library's rand(), as a plain start builds it; returns the console text.
std::string Generate(unsigned seed);
