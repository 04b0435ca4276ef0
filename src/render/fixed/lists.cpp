// The landscape from display lists: a list per strip segment, compiled once,
// and each frame one call of the lists of the segments inside the view
// volume. Needs only GL 1.1; an indirect context keeps the lists in the X
// server, so a frame sends list names instead of vertices.
#include <GL/gl.h>

#include "render/fixed/fixed.h"
#include "render/fixed/landscape.h"
#include "render/scene/cull.h"
#include "render/scene/strips.h"
#include "render/scene/view.h"
#include "terrain/heightfield.h"

namespace {

GLuint listbase;          // segment 0's list, the others follow; 0 when the GL gave none
unsigned listsfor;        // the gridsgeneration they were compiled from; 0 before
int visible[segments];    // this frame's visible segments, as offsets from listbase

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

// The lists of the first n visible segments, in one call.
void SendLists(int n)
{
    glListBase(listbase);
    glCallLists(n, GL_INT, visible);
    glListBase(0);
}

}  // namespace

void ListLandscape(const FrameView &view)
{
    if (!Compile()) {
        MakeFloor();
        return;
    }
    DrawTextured(SendLists, VisibleSegments(view.clip, visible));
}

void ForgetLists()
{
    listbase = 0;
    listsfor = 0;
}
