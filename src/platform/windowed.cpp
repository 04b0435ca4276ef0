// What only a web page has, absent where the program has a window of its
// own: no pause button, a context that is never taken away, no page to tell,
// no animation frame to wait for, and no download: a file written for the
// user is named on standard error.
#include <iostream>

#include "platform/platform.h"

void RequestFrame(void (*draw)())
{
    draw();
}

bool Paused()
{
    return false;
}

void OnContextRestored(void (*)()) {}

void ReportRamp(bool) {}

void Offer(const std::string &path, const char *what)
{
    std::cerr << what << " saved as " << FullPath(path) << std::endl;
}
