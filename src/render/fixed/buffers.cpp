// The landscape from a buffer object: the very strips of MakeFloor, stored
// once, drawn with one multi-draw of the pieces inside the view volume.
// Needs GL 1.5 and a direct context.
#include <GL/gl.h>

#include "platform/glentry.h"
#include "render/common/upload.h"
#include "render/fixed/fixed.h"
#include "render/fixed/landscape.h"
#include "render/scene/cull.h"
#include "render/scene/strips.h"
#include "render/scene/view.h"

namespace {

GLuint landscapebuffer;       // the strips; 0 until uploaded
unsigned bufferfor;           // the gridsgeneration it holds; 0 before the first upload
Ranges visible;               // this frame's visible vertex ranges

// The first n ranges as triangle strips from the buffer, in one call.
void SendRanges(int n)
{
    bindbuffer(GL_ARRAY_BUFFER, landscapebuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(1, GL_FLOAT, stripstride, nullptr);
    glVertexPointer(3, GL_FLOAT, stripstride, reinterpret_cast<const void *>(stripposition));
    multidraw(GL_TRIANGLE_STRIP, visible.first.data(), visible.count.data(), n);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    bindbuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace

void BufferLandscape(const FrameView &view)
{
    FillStrips(landscapebuffer, bufferfor);
    visible = VisibleRanges(view.clip);
    DrawTextured(SendRanges, int(visible.first.size()));
}

void ForgetBuffer()
{
    landscapebuffer = 0;
    bufferfor = 0;
}
