#pragma once
// What the fixed-function landscape passes share.
#include "render/capability.h"

extern LandscapePath landscapepath;  // the pass for this context, chosen by ChooseLandscapePass

// Sets landscapepath from the current context's GL_VERSION and directness.
void ChooseLandscapePass();

// Runs send(n) with the ramp on (fill, texture 1 in replace mode), then
// leaves current what the immediate strips leave: the last wall vertex's
// texture coordinate and normal. The overlay is lit by that normal.
void DrawTextured(void (*send)(int n), int n);

// Each pass forgets its GL objects, after its context is gone.
void ForgetBuffer();
void ForgetLists();
