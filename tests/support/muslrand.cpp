// Preloaded into the desktop viewer by the browser tests: srand() and rand()
// as the web build's C library (musl) has them, so that the viewer builds
// the landscape the page builds from the same second.
#include <cstdint>

static std::uint64_t state;  // the generator's

extern "C" {

void srand(unsigned seed)
{
    state = seed - 1;
}

int rand()
{
    state = state * 6364136223846793005u + 1;
    return int(state >> 33);
}
}
