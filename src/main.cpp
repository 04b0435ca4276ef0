// Vellmoor: a random landscape to fly over.
#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/controls.h"
#include "viewer/viewer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned movems = 25;                          // motion step period
constexpr unsigned drawms = 20;                          // redraw period
constexpr Clock::duration drawperiod = std::chrono::milliseconds(drawms);

// Standard input, output and error open on something, so that no file or
// connection opened later (the X display's, say) takes their numbers and
// receives the console text. A lost reader of standard output only loses
// the console text: writes then fail instead of killing the viewer.
void GuardStdio()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            open("/dev/null", O_RDWR);  // takes the lowest free number: fd
    signal(SIGPIPE, SIG_IGN);
}

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

// Delay until the next frame is due, whole milliseconds rounded up.
unsigned DelayUntil(Clock::time_point due, Clock::time_point now)
{
    if (due <= now)
        return 0;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now);
    return unsigned(wait.count());
}

// Draws directly rather than posting a redisplay; re-armed after the frame.
// The frame's own time counts towards the period, so frames start every
// 20 ms while they take less and back to back when they take more; a late
// frame moves the schedule on rather than being made up.
void timerdraw(int)
{
    static Clock::time_point due = Clock::now();  // when this frame was meant to start
    display();
    const Clock::time_point now = Clock::now();
    due = std::max(due + drawperiod, now);
    glutTimerFunc(DelayUntil(due, now), timerdraw, 1);
}

}  // namespace

int main(int argc, char **argv)
{
    GuardStdio();
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
