// Vellmoor: a random landscape to fly over.
#include <GL/freeglut.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/controls.h"
#include "viewer/timing.h"
#include "viewer/viewer.h"

namespace {

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

// The GL driver builds each frame's scene in memory it frees again at the end
// of the frame. By default the C library hands such memory back to the kernel
// (trimming the heap, unmapping large blocks) and gets it back zeroed on the
// next frame: thousands of page faults a frame when the whole grid is in
// view. Keeping it in the process costs only the driver's high-water mark.
// The tuning is glibc's; other C libraries keep their own defaults.
void KeepFreedMemory()
{
#ifdef __GLIBC__
    constexpr int mmapthreshold = 32 << 20;  // bytes; glibc's largest allowed
    constexpr int trimthreshold = 1 << 30;   // bytes; in effect never
    mallopt(M_MMAP_THRESHOLD, mmapthreshold);
    mallopt(M_TRIM_THRESHOLD, trimthreshold);
#endif
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
    glutTimerFunc(unsigned(motionperiod.count()), timermove, 1);
}

// Draws directly rather than posting a redisplay; re-armed after the frame,
// whose own time counts towards the period.
void timerdraw(int)
{
    using Clock = std::chrono::steady_clock;
    static Clock::time_point due = Clock::now();  // when this frame was meant to start
    display();
    const NextFrame next = ScheduleFrame(due, Clock::now());
    due = next.due;
    glutTimerFunc(next.delay, timerdraw, 1);
}

}  // namespace

int main(int argc, char **argv)
{
    GuardStdio();
    KeepFreedMemory();
    srand(unsigned(time(nullptr)));
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(500, 500);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Vellmoor");
    CloseAtExit();
    init();
    glutTimerFunc(unsigned(motionperiod.count()), timermove, 0);
    glutTimerFunc(unsigned(drawperiod.count()), timerdraw, 0);
    glutDisplayFunc(display);
    glutKeyboardFunc(hotkey);
    glutSpecialFunc(spec);
    glutMouseFunc(mfunc);
    glutMotionFunc(mofunc);
    glutReshapeFunc(reshape);
    glutMainLoop();
    return 0;
}
