// The landscape from a buffer object: the very strips of MakeFloor, stored
// once, drawn with one multi-draw of the pieces inside the view volume.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>
#include <vector>

#include "render/cull.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"

namespace {

GLuint floorbuffer;  // strips as (s, x, y, z) floats, strip-major; 0 until uploaded
int rangefirst[pieces], rangecount[pieces];  // this frame's visible vertex ranges

struct Vertex {
    float s, x, y, z;
};

void PutVertex(std::vector<Vertex> &v, int i, int j)
{
    v.push_back({gndtex[i][j], float(GridCoord(i)), ground[i][j], float(GridCoord(j))});
}

// The ranges as triangle strips from the buffer, in one call.
void SendRanges(int n)
{
    glBindBuffer(GL_ARRAY_BUFFER, floorbuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(1, GL_FLOAT, sizeof(Vertex), nullptr);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), reinterpret_cast<const void *>(sizeof(float)));
    glMultiDrawArrays(GL_TRIANGLE_STRIP, rangefirst, rangecount, n);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace

void UploadFloor()
{
    std::vector<Vertex> v;
    v.reserve(std::size_t(strips) * stripverts);
    for (int i = 0; i < strips; ++i)
        for (int j = 0; j < gridside; ++j) {
            PutVertex(v, i, j);
            PutVertex(v, i + 1, j);
        }
    if (!floorbuffer)
        glGenBuffers(1, &floorbuffer);
    glBindBuffer(GL_ARRAY_BUFFER, floorbuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(v.size() * sizeof(Vertex)), v.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    BoundPieces();
}

void DrawFloor()
{
    if (!floorbuffer)
        UploadFloor();
    double proj[16], model[16], clip[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    ClipMatrix(proj, model, clip);
    const int n = VisibleRanges(clip, rangefirst, rangecount);

    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    SendRanges(n);
    // Leave what the immediate strips leave current: the overlay is lit by this normal.
    glTexCoord1d(gndtex[gridcells][gridcells]);
    glNormal3f(0, -ground[gridcells][gridcells], 0);
    glDisable(GL_TEXTURE_1D);
}
