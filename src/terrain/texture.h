#pragma once
// The colour ramp loader. No GL here: the renderer drawing the landscape
// takes the ramp through ramptaker, which it sets before LoadTexture runs.
struct Ramp;

struct RampTaker {
    long (*widest)();                // the widest texture the GL takes, texels; below 64 where unknown
    void (*take)(const Ramp *ramp);  // uploads it; null when none was read
};
extern RampTaker ramptaker;  // until set, the ramp is read and dropped

// Reads colours.txt from the working directory, keeps it and hands it on. On
// any failure it says so in one line on standard output, and hands on none.
void LoadTexture();

// The ramp LoadTexture read last; null when it read none.
const Ramp *LastRamp();
