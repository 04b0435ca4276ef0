#include "support/grids.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "terrain/heightfield.h"
#include "terrain/random.h"

void ClearGrids()
{
    std::fill(&ground[0][0], &ground[0][0] + gridside * gridside, 0.0f);
    std::fill(&gndtex[0][0], &gndtex[0][0] + gridside * gridside, 0.0f);
}

std::string CaptureStdout(const std::function<void()> &fn)
{
    std::ostringstream out;
    std::streambuf *old = std::cout.rdbuf(out.rdbuf());
    try {
        fn();
    } catch (...) {
        std::cout.rdbuf(old);
        throw;
    }
    std::cout.rdbuf(old);
    return out.str();
}

std::string Generate(unsigned seed)
{
    ClearGrids();
    SeedLandscape(seed);
    return CaptureStdout(FillArray);
}
