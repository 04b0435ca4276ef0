// Where every GL context draws in this process (Windows, a browser): the
// toolkit's default context is the one made, and frames go unpaced. On
// Windows a swap waits for the driver; a browser shows each frame as its
// animation frame ends and never queues more than one. Choosing and pacing
// are indirect GLX's (glx.cpp).
#include "platform/platform.h"

void ChooseContext(int, char *const *) {}

void StartPacing() {}

void PaceFrame() {}
