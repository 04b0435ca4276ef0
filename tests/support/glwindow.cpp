#include "support/glwindow.h"

#include <GL/freeglut.h>

#include "render/projection.h"
#include "render/render.h"

namespace {
bool opened;
}  // namespace

void OpenTestWindow()
{
    if (opened)
        return;
    int argc = 1;
    char name[] = "vellmoor_tests";
    char *argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vellmoor tests");
    ReleaseAtExit();
    glutDisplayFunc([] {});
    InitRender();
    opened = true;
}

std::vector<std::uint8_t> ReadFrame()
{
    std::vector<std::uint8_t> px(std::size_t(currW) * currH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, currW, currH, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
}

std::vector<std::uint8_t> RenderFrame(void (*pass)())
{
    DrawFrame(pass);
    return ReadFrame();
}

Rgb PixelAt(const std::vector<std::uint8_t> &frame, int x, int y)
{
    const std::size_t at = (std::size_t(currH - 1 - y) * currW + x) * 3;
    return {frame[at], frame[at + 1], frame[at + 2]};
}
