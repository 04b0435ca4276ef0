// GLUT side of the bindings: ask GLUT, pass on, act on the answer.
#include <GL/freeglut_std.h>

#include <iostream>

#include "platform/platform.h"
#include "render/look.h"
#include "render/render.h"
#include "terrain/export.h"
#include "viewer/controls.h"

static_assert(key_left == GLUT_KEY_LEFT && key_up == GLUT_KEY_UP && key_right == GLUT_KEY_RIGHT &&
              key_down == GLUT_KEY_DOWN && key_pageup == GLUT_KEY_PAGE_UP &&
              key_pagedown == GLUT_KEY_PAGE_DOWN);
static_assert(mod_shift == GLUT_ACTIVE_SHIFT && button_left == GLUT_LEFT_BUTTON &&
              state_down == GLUT_DOWN);

void hotkey(unsigned char key, int, int)
{
    if (CharKey(key))
        EndProgram();
}

extern "C" void KeepLandscape()
{
    const std::string name = KeptName();
    if (ExportLandscape(name, skycolour, std::cerr))
        Offer(name, "Landscape");
}

void spec(int key, int, int)
{
    if (key == GLUT_KEY_F2) {
        KeepLandscape();
        return;
    }
    if (!SpecialKey(key, glutGetModifiers()))
        return;
    const int h = glutGet(GLUT_WINDOW_HEIGHT);
    const int w = glutGet(GLUT_WINDOW_WIDTH);
    reshape(w, h);
}
