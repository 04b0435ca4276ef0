// Vellmoor: a random landscape to fly over.
#include <GL/freeglut_std.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <vector>

#include "options.h"
#include "platform/platform.h"
#include "render/look.h"
#include "render/render.h"
#include "terrain/export.h"
#include "terrain/heightfield.h"
#include "terrain/random.h"
#include "terrain/texture.h"
#include "viewer/controls.h"
#include "viewer/timing.h"
#include "viewer/viewer.h"

namespace {

void init()
{
    FillArray();
    LoadTexture();
    ResetViewer();
    InitRender();
}

void timermove(int)
{
    if (!Paused())
        MoveViewer();
    glutTimerFunc(unsigned(motionperiod.count()), timermove, 1);
}

// Draws directly rather than posting a redisplay (in a browser, in its next
// animation frame); re-armed after the frame, whose own time counts towards
// the period.
void timerdraw(int)
{
    using Clock = std::chrono::steady_clock;
    static Clock::time_point due = Clock::now();  // when this frame was meant to start
    RequestFrame(display);
    const NextFrame next = ScheduleFrame(due, Clock::now());
    due = next.due;
    glutTimerFunc(next.delay, timerdraw, 1);
}

// --help, --version or a misuse: answered without a window.
int Answer(const Options &options)
{
    switch (options.action) {
    case Options::help: PrintHelp(std::cout); break;
    case Options::version: std::cout << "Vellmoor " VELLMOOR_VERSION << std::endl; break;
    default: PrintMisuse(std::cerr, options.problem); return 2;
    }
    return std::cout ? 0 : 1;
}

// --export: the landscape and its ramp, written out with no window (the
// ramp's loader, with no renderer to take it, only keeps it).
int Export(const std::string &path)
{
    if (FormatOf(path) != LandscapeFormat::unknown) {  // else refused at once, saying why
        FillArray();
        LoadTexture();
    }
    return ExportLandscape(path, skycolour, std::cerr) ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    PrepareProcess();
    Options options = ReadOptions(argc, argv);
    if (options.action != Options::fly)
        return Answer(options);
    if (options.at >= 0)
        SeedLandscapeAt(options.at);
    else
        SeedLandscape(time(nullptr));
    if (!options.exportto.empty())
        return Export(options.exportto);
    argc = int(options.toolkit.size()) - 1;
    argv = options.toolkit.data();
    const std::vector<char *> args(argv, argv + argc);  // glutInit takes -display away
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(0, 0);
    // Asked with the toolkit's connection open: an X server with no client
    // left resets, and would refuse the toolkit for a moment.
    ChooseContext(int(args.size()), args.data());
    if (!glutCreateWindow("Vellmoor")) {  // a browser without WebGL; freeglut ends the program itself
        std::cout << "No GL context for the window; ending" << std::endl;
        EndProgram();
    }
    ReleaseAtExit();
    ChooseRenderer();
    init();
    glutTimerFunc(unsigned(motionperiod.count()), timermove, 0);
    glutTimerFunc(unsigned(drawperiod.count()), timerdraw, 0);
    glutDisplayFunc(display);
    glutKeyboardFunc(hotkey);
    glutSpecialFunc(spec);
    glutMouseFunc(mfunc);
    glutMotionFunc(mofunc);
    glutReshapeFunc(reshape);
    OnContextRestored(RestartRenderer);
    glutMainLoop();
    return 0;
}
