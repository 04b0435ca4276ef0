// Vellmoor: a random landscape to fly over.
#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>

#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/controls.h"
#include "viewer/viewer.h"

namespace {

constexpr unsigned movems = 25;  // motion step period
constexpr unsigned drawms = 20;  // redraw period

void init()
{
    FillArray();
    LoadTexture();
    ResetViewer();
    InitRender();
}

void timermove(int)
{
    MoveViewer();
    glutTimerFunc(movems, timermove, 1);
}

// Draws directly rather than posting a redisplay; re-armed after the frame.
void timerdraw(int)
{
    display();
    glutTimerFunc(drawms, timerdraw, 1);
}

}  // namespace

int main(int argc, char **argv)
{
    srand(unsigned(time(nullptr)));
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vellmoor");
    init();
    glutTimerFunc(movems, timermove, 0);
    glutTimerFunc(drawms, timerdraw, 0);
    glutDisplayFunc(display);
    glutKeyboardFunc(hotkey);
    glutSpecialFunc(spec);
    glutMouseFunc(mfunc);
    glutMotionFunc(mofunc);
    glutReshapeFunc(reshape);
    glutMainLoop();
    return 0;
}
