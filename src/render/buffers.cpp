// The landscape from a buffer object: the very strips of MakeFloor, stored
// once, drawn with one multi-draw of the pieces inside the view volume.
// Needs GL 1.5 and a direct context.
#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "platform/glentry.h"
#include "render/cull.h"
#include "render/floorpass.h"
#include "render/render.h"
#include "terrain/heightfield.h"

namespace {

GLuint floorbuffer;    // strips as (s, x, y, z) floats, strip-major; 0 until uploaded
unsigned bufferfor;    // the floorgrids it holds; 0 before the first upload
int rangefirst[pieces], rangecount[pieces];  // this frame's visible vertex ranges

struct Vertex {
    float s, x, y, z;
};

void PutVertex(std::vector<Vertex> &v, int i, int j)
{
    v.push_back({gndtex[i][j], float(GridCoord(i)), ground[i][j], float(GridCoord(j))});
}

void Upload()
{
    std::vector<Vertex> v;
    v.reserve(std::size_t(strips) * stripverts);
    for (int i = 0; i < strips; ++i)
        for (int j = 0; j < gridside; ++j) {
            PutVertex(v, i, j);
            PutVertex(v, i + 1, j);
        }
    if (!floorbuffer)
        genbuffers(1, &floorbuffer);
    bindbuffer(GL_ARRAY_BUFFER, floorbuffer);
    bufferdata(GL_ARRAY_BUFFER, std::ptrdiff_t(v.size() * sizeof(Vertex)), v.data(), GL_STATIC_DRAW);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    BoundPieces();
    bufferfor = floorgrids;
}

// The first n ranges as triangle strips from the buffer, in one call.
void SendRanges(int n)
{
    bindbuffer(GL_ARRAY_BUFFER, floorbuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(1, GL_FLOAT, sizeof(Vertex), nullptr);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), reinterpret_cast<const void *>(sizeof(float)));
    multidraw(GL_TRIANGLE_STRIP, rangefirst, rangecount, n);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    bindbuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace

void BufferFloor()
{
    if (bufferfor != floorgrids)
        Upload();
    double clip[16];
    ViewClip(clip);
    DrawTextured(SendRanges, VisibleRanges(clip, rangefirst, rangecount));
}
