#include "terrain/heightfield.h"

#include <cstdlib>
#include <iostream>

#include "platform/platform.h"
#include "terrain/random.h"

float ground[gridside][gridside];  // world units, start at 0
float gndtex[gridside][gridside];  // ramp coordinate 0..1, start at 0

namespace {

constexpr int last = gridcells;  // highest index
constexpr float wallheight = 40.0f;
constexpr double relax = 0.4;  // share of the way towards the parent vertex

void BuildWall()
{
    for (int k = 0; k <= last; ++k) {
        ground[0][k] = ground[last][k] = ground[k][0] = ground[k][last] = wallheight;
        gndtex[0][k] = gndtex[last][k] = gndtex[k][0] = gndtex[k][last] = 1.0f;
    }
}

}  // namespace

// min and max start at 0, not at the first height.
void MapColours()
{
    double lo = 0.0, hi = 0.0;
    for (int i = 1; i < last; ++i)
        for (int j = 1; j < last; ++j) {
            if (ground[i][j] < lo) lo = ground[i][j];
            if (ground[i][j] > hi) hi = ground[i][j];
        }
    const double range = hi - lo;
    for (int i = 1; i < last; ++i)
        for (int j = 1; j < last; ++j)
            gndtex[i][j] = range > 0.0 ? float((ground[i][j] - lo) / range) : 0.0f;
}

void dent(int x, int z, int fromX, int fromZ, int strength)
{
    if (fromX != -1 && fromZ != -1)
        ground[x][z] = float(ground[x][z] + (double(ground[fromX][fromZ]) - ground[x][z]) * relax);
    if (strength < 1)
        return;
    if (x > 0) dent(x - 1, z, x, z, strength - DrawRandom() % 15 - 1);
    if (x < last) dent(x + 1, z, x, z, strength - DrawRandom() % 15 - 1);
    if (z > 0) dent(x, z - 1, x, z, strength - DrawRandom() % 15 - 1);
    if (z < last) dent(x, z + 1, x, z, strength - DrawRandom() % 15 - 1);
}

void FillArray()
{
    static const char spinner[4] = {'-', '\\', '|', '/'};
    std::cout << "Denting-" << std::flush;
    for (int n = 750 + DrawRandom() % 15; n > 0; --n) {
        const int x = DrawRandom() % gridside;
        const int z = DrawRandom() % gridside;
        const int d = DrawRandom() % 10 - 3;
        ground[x][z] += float(std::abs(d) * d * 4);
        // Flushed frame by frame so the mark turns in place on a terminal.
        std::cout << '\b' << spinner[n % 4] << std::flush;
        YieldToPage(4);
        dent(x, z, -1, -1, 30);
    }
    BuildWall();
    MapColours();
    YieldToPage(1);
}
