#include "terrain/random.h"

#include <cstdint>
#include <cstdlib>

long long landscapesecond;  // seconds since 1970, UTC; 0 until seeded
bool secondnamed;           // false until SeedLandscapeAt

namespace {

// musl's rand(): a 64-bit linear congruential generator whose top 31 bits
// are drawn. Its srand takes the second as an unsigned int, as the page's
// srand(time()) does.
std::uint64_t portable;

}  // namespace

void SeedLandscape(long long second)
{
    landscapesecond = second;
    secondnamed = false;
    std::srand(unsigned(second));
}

void SeedLandscapeAt(long long second)
{
    landscapesecond = second;
    secondnamed = true;
    portable = unsigned(second) - 1u;
}

int DrawRandom()
{
    if (!secondnamed)
        return std::rand();
    portable = portable * 6364136223846793005u + 1;
    return int(portable >> 33);
}
