// The landscape's strips, three ways, each in the order of the immediate-mode
// reference pass (MakeFloor) and giving its pixels: in immediate mode; from
// a buffer object, skipping the pieces outside the view volume; from display
// lists, skipping the segments outside it. The context decides, once, which
// of the last two the frame draws with.
#include <GL/gl.h>

#include "platform/glentry.h"
#include "platform/platform.h"
#include "render/capability.h"
#include "render/common/upload.h"
#include "render/fixed/fixed.h"
#include "render/scene/cull.h"
#include "render/scene/strips.h"
#include "render/scene/view.h"
#include "terrain/heightfield.h"

namespace {

LandscapePath landscapepath = LandscapePath::lists;  // GL 1.1 until ChooseLandscapePass knows better

GLuint landscapebuffer;  // the strips; 0 until uploaded
unsigned bufferfor;      // the gridsgeneration it holds; 0 before the first upload

GLuint listbase;        // segment 0's list, the others follow; 0 when the GL gave none
unsigned listsfor;      // the gridsgeneration they were compiled from; 0 before
int visible[segments];  // this frame's visible segments, as offsets from listbase
Ranges inview;          // this frame's visible vertex ranges

// Filled, with texture 1 in replace mode.
void RampOn()
{
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, ramptexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

// A culled pass ends as MakeFloor does: the last wall vertex's texture
// coordinate and normal current, which light the overlay, and the ramp off.
void EndAsMakeFloor()
{
    glTexCoord1d(gndtex[gridcells][gridcells]);
    glNormal3f(0, -ground[gridcells][gridcells], 0);
    glDisable(GL_TEXTURE_1D);
}

// Strip i's vertices from column j0 on, as MakeFloor sends them.
void CompileSegment(int s)
{
    const int i = s / segmentsperstrip, j0 = s % segmentsperstrip * segmentcells;
    glNewList(listbase + GLuint(s), GL_COMPILE);
    glBegin(GL_TRIANGLE_STRIP);
    for (int j = j0; j <= j0 + segmentcells; ++j)
        for (int ii = i; ii <= i + 1; ++ii) {
            glTexCoord1f(gndtex[ii][j]);
            glVertex3f(float(GridCoord(ii)), ground[ii][j], float(GridCoord(j)));
        }
    glEnd();
    glEndList();
}

// False when the GL has no names for the lists.
bool Compile()
{
    if (listsfor == gridsgeneration)
        return listbase != 0;
    if (listbase)
        glDeleteLists(listbase, segments);
    listbase = glGenLists(segments);
    listsfor = gridsgeneration;
    BoundPieces();
    for (int s = 0; listbase && s < segments; ++s)
        CompileSegment(s);
    return listbase != 0;
}

}  // namespace

// Vertex (i, j) at x = GridCoord(i), z = GridCoord(j). The strip order makes each
// triangle clockwise from above, so the landscape is culled from below.
// Normals do not shade it (lighting is off) but the last one, (0, -40, 0),
// stays current and lights the overlay text.
void MakeFloor()
{
    RampOn();
    for (int i = 0; i < gridcells; ++i) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j < gridside; ++j) {
            glTexCoord1d(gndtex[i][j]);
            glNormal3f(0, -ground[i][j], 0);
            glVertex3f(float(GridCoord(i)), ground[i][j], float(GridCoord(j)));
            glTexCoord1d(gndtex[i + 1][j]);
            glNormal3f(0, -ground[i + 1][j], 0);
            glVertex3f(float(GridCoord(i + 1)), ground[i + 1][j], float(GridCoord(j)));
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_1D);
}

void ImmediateLandscape(const FrameView &)
{
    MakeFloor();
}

// The visible ranges in one multi-draw from the buffer, filled on the first
// frame after the grids change.
void BufferLandscape(const FrameView &view)
{
    FillStrips(landscapebuffer, bufferfor);
    VisibleRanges(view.clip, inview);
    RampOn();
    bindbuffer(GL_ARRAY_BUFFER, landscapebuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(1, GL_FLOAT, stripstride, nullptr);
    glVertexPointer(3, GL_FLOAT, stripstride, reinterpret_cast<const void *>(stripposition));
    multidraw(GL_TRIANGLE_STRIP, inview.first.data(), inview.count.data(), GLsizei(inview.first.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    bindbuffer(GL_ARRAY_BUFFER, 0);
    EndAsMakeFloor();
}

// The visible segments' lists in one call, compiled on the first frame
// after the grids change.
void ListLandscape(const FrameView &view)
{
    if (!Compile()) {
        MakeFloor();
        return;
    }
    const int n = VisibleSegments(view.clip, visible);
    RampOn();
    glListBase(listbase);
    glCallLists(n, GL_INT, visible);
    glListBase(0);
    EndAsMakeFloor();
}

// Buffers also need their entry points, which a GL may not give.
void ChooseLandscapePass()
{
    landscapepath = ChooseLandscapePath(reinterpret_cast<const char *>(glGetString(GL_VERSION)), ContextIsDirect());
    if (landscapepath == LandscapePath::buffers && !LoadGlEntries())
        landscapepath = LandscapePath::lists;
}

void DrawLandscape(const FrameView &view)
{
    if (landscapepath == LandscapePath::buffers)
        BufferLandscape(view);
    else
        ListLandscape(view);
}

void ForgetLandscape()
{
    landscapebuffer = 0;
    bufferfor = 0;
    listbase = 0;
    listsfor = 0;
}
