// What the culled landscape passes share: the grids' generation, their
// strips in a buffer, the view volume.
#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "platform/glentry.h"
#include "render/cull.h"
#include "render/floorpass.h"
#include "render/projection.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/viewer.h"

unsigned floorgrids = 1;  // see floorpass.h
int rangefirst[pieces], rangecount[pieces];  // vertex indices, counts

namespace {

struct Vertex {
    float s, x, y, z;
};
static_assert(sizeof(Vertex) == stripstride, "vertices are packed");

void PutVertex(std::vector<Vertex> &v, int i, int j)
{
    v.push_back({gndtex[i][j], float(GridCoord(i)), ground[i][j], float(GridCoord(j))});
}

}  // namespace

void FillStrips(unsigned &buffer, unsigned &holds)
{
    if (holds == floorgrids)
        return;
    holds = floorgrids;
    std::vector<Vertex> v;
    v.reserve(std::size_t(strips) * stripverts);
    for (int i = 0; i < strips; ++i)
        for (int j = 0; j < gridside; ++j) {
            PutVertex(v, i, j);
            PutVertex(v, i + 1, j);
        }
    if (!buffer)
        genbuffers(1, &buffer);
    bindbuffer(GL_ARRAY_BUFFER, buffer);
    bufferdata(GL_ARRAY_BUFFER, std::ptrdiff_t(v.size() * sizeof(Vertex)), v.data(), GL_STATIC_DRAW);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    BoundPieces();
}

void UploadFloor()
{
    ++floorgrids;
}

void ViewClip(double clip[16])
{
    const float eye[3] = {float(xpos), float(ypos), float(zpos)};
    double view[16];
    ViewMatrix(float(beta), float(alpha), eye, view);
    ClipMatrix(projmatrix, view, clip);
}
