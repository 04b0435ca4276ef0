#include "render/scene/strips.h"

#include <cstddef>

#include "render/scene/cull.h"
#include "terrain/heightfield.h"

unsigned gridsgeneration = 1;  // see strips.h

namespace {

void Put(std::vector<StripVertex> &v, int i, int j)
{
    v.push_back({gndtex[i][j], float(GridCoord(i)), ground[i][j], float(GridCoord(j))});
}

}  // namespace

std::vector<StripVertex> StripVertices()
{
    std::vector<StripVertex> v;
    v.reserve(std::size_t(strips) * stripverts);
    for (int i = 0; i < strips; ++i)
        for (int j = 0; j < gridside; ++j) {
            Put(v, i, j);
            Put(v, i + 1, j);
        }
    return v;
}

void GridsChanged()
{
    ++gridsgeneration;
}
