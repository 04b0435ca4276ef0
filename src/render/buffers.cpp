// The landscape from a buffer object: the very strips of MakeFloor, stored
// once, drawn with one multi-draw of the pieces inside the view volume.
// Needs GL 1.5 and a direct context.
#include <GL/gl.h>

#include "platform/glentry.h"
#include "render/cull.h"
#include "render/floorpass.h"
#include "render/render.h"

namespace {

GLuint floorbuffer;    // the strips; 0 until uploaded
unsigned bufferfor;    // the floorgrids it holds; 0 before the first upload

// The first n ranges as triangle strips from the buffer, in one call.
void SendRanges(int n)
{
    bindbuffer(GL_ARRAY_BUFFER, floorbuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(1, GL_FLOAT, stripstride, nullptr);
    glVertexPointer(3, GL_FLOAT, stripstride, reinterpret_cast<const void *>(stripposition));
    multidraw(GL_TRIANGLE_STRIP, rangefirst, rangecount, n);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    bindbuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace

void BufferFloor()
{
    FillStrips(floorbuffer, bufferfor);
    double clip[16];
    ViewClip(clip);
    DrawTextured(SendRanges, VisibleRanges(clip, rangefirst, rangecount));
}
