// What only a web page has, absent where the program has a window of its
// own: no pause button, a context that is never taken away, no page to tell.
#include "platform/platform.h"

bool Paused()
{
    return false;
}

void OnContextRestored(void (*)()) {}

void ReportRamp(bool) {}
