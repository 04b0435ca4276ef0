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

void JoinStrips(const Ranges &ranges, std::vector<unsigned> &indices)
{
    indices.clear();
    int end = -1;  // one past the last range's vertices; -1 before the first
    for (std::size_t k = 0; k < ranges.first.size(); ++k) {
        int from = ranges.first[k];
        // A range that starts on its predecessor's last two vertices, in the same strip.
        const bool continues = end - 2 == from && (end - 1) / stripverts == from / stripverts;
        if (continues) {
            from = end;
        } else if (end >= 0) {
            indices.push_back(indices.back());
            indices.push_back(unsigned(from));
            if (indices.size() % 2)  // a strip's first triangle at an even place keeps its orientation
                indices.push_back(unsigned(from));
        }
        end = ranges.first[k] + ranges.count[k];
        for (int v = from; v < end; ++v)
            indices.push_back(unsigned(v));
    }
}

void GridsChanged()
{
    ++gridsgeneration;
}
