// Frame and start-up timings on whatever GL the display gives: the median
// time of a whole display() for the immediate reference pass, the buffer
// pass and the display-list pass in every view, and the time of FillArray.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "render/fixed/fixed.h"
#include "render/render.h"
#include "render/scene/view.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "support/glwindow.h"
#include "support/grids.h"
#include "support/views.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double FrameMs(LandscapePass pass, int frames)
{
    for (int k = 0; k < 3; ++k) {
        DrawFrame(CurrentView(), pass);
        glutSwapBuffers();
        glFinish();
    }
    std::vector<double> t;
    for (int k = 0; k < frames; ++k) {
        const auto a = Clock::now();
        DrawFrame(CurrentView(), pass);
        glutSwapBuffers();
        glFinish();
        t.push_back(Ms(a, Clock::now()));
    }
    return Median(t);
}

double FillArrayMs(int runs)
{
    std::vector<double> t;
    for (int k = 0; k < runs; ++k) {
        ClearGrids();
        srand(1);
        const auto a = Clock::now();
        CaptureStdout(FillArray);
        t.push_back(Ms(a, Clock::now()));
    }
    return Median(t);
}

}  // namespace

int main(int argc, char **argv)
{
    const int frames = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    OpenTestWindow();

    const double fill = FillArrayMs(7);
    std::filesystem::current_path(VELLMOOR_SOURCE_DIR);
    CaptureStdout(LoadTexture);

    std::printf("renderer: %s\n", reinterpret_cast<const char *>(glGetString(GL_RENDERER)));
    std::printf("median of %d frames, ms per display()\n", frames);
    std::printf("%-26s %10s %10s %7s %10s %7s\n", "view", "immediate", "buffer", "ratio", "lists", "ratio");
    for (int v = 0; v < viewcount; ++v) {
        ApplyView(views[v]);
        const double ref = FrameMs(ImmediateLandscape, frames);
        const double buffer = FrameMs(BufferLandscape, frames);
        const double lists = FrameMs(ListLandscape, frames);
        std::printf("%-26s %10.2f %10.2f %6.2fx %10.2f %6.2fx\n", views[v].name, ref, buffer,
                    ref / buffer, lists, ref / lists);
    }
    std::printf("FillArray: %.1f ms (median of 7)\n", fill);
    return 0;
}
