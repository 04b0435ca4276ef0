#include "support/glwindow.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <filesystem>

#include "platform/platform.h"
#include "render/backend.h"
#include "render/fixed/fixed.h"
#include "render/render.h"
#include "render/scene/projection.h"
#include "render/scene/view.h"
#include "support/grids.h"
#include "terrain/texture.h"

namespace {
bool opened;
int fixedwindow, shaderwindow;  // GLUT's window numbers; 0 until opened
const Renderer *fixedchosen, *shaderchosen;  // what the chooser gave each window
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
    fixedwindow = glutCreateWindow("Vellmoor tests");
    ReleaseAtExit();
    glutDisplayFunc([] {});
    unsetenv("VELLMOOR_SHADERS");
    ChooseRenderer();
    fixedchosen = renderer;
    InitRender();
    opened = true;
}

void OpenShaderWindow(const char *dir)
{
    OpenTestWindow();
    if (!shaderwindow) {
        shaderwindow = glutCreateWindow("Vellmoor tests, shaders");
        glutDisplayFunc([] {});
        setenv("VELLMOOR_SHADERS", "1", 1);
        ChooseRenderer();
        unsetenv("VELLMOOR_SHADERS");
        shaderchosen = renderer;
        InitRender();
        LoadRampFrom(dir);
    }
    UseWindow(true);
}

std::string LoadRampFrom(const std::string &dir)
{
    const auto back = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const std::string said = CaptureStdout(LoadTexture);
    std::filesystem::current_path(back);
    return said;
}

void UseWindow(bool shaders)
{
    glutSetWindow(shaders ? shaderwindow : fixedwindow);
    UseRenderer(*(shaders ? shaderchosen : fixedchosen));
}

std::vector<std::uint8_t> ReadFrame()
{
    std::vector<std::uint8_t> px(std::size_t(currW) * currH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, currW, currH, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
}

std::vector<std::uint8_t> RenderFrame(LandscapePass pass)
{
    if (pass)
        DrawFrame(CurrentView(), pass);
    else
        renderer->frame(CurrentView());
    return ReadFrame();
}

Rgb PixelAt(const std::vector<std::uint8_t> &frame, int x, int y)
{
    const std::size_t at = (std::size_t(currH - 1 - y) * currW + x) * 3;
    return {frame[at], frame[at + 1], frame[at + 2]};
}
