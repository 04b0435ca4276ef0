#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "glwindow.h"
#include "render/projection.h"
#include "render/render.h"
#include "terrain/heightfield.h"
#include "terrain/texture.h"
#include "viewer/controls.h"
#include "viewer/viewer.h"

namespace {

void SavePpm(const std::vector<std::uint8_t> &px, const char *path)
{
    FILE *f = std::fopen(path, "wb");
    if (!f) return;
    std::fprintf(f, "P6 %d %d 255\n", currW, currH);
    for (int y = currH - 1; y >= 0; --y)
        std::fwrite(&px[std::size_t(y) * currW * 3], 1, std::size_t(currW) * 3, f);
    std::fclose(f);
}

class Frames : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OpenTestWindow();
        srand(7);
        std::fill(&ground[0][0], &ground[0][0] + gridside * gridside, 0.0f);
        FillArray();
        LoadTexture();
        UploadFloor();
    }
    void SetUp() override
    {
        ResetViewer();
        plane = 0.1;
        reshape(500, 500);
    }
};

}  // namespace

TEST_F(Frames, BothPassesGiveTheSamePixels)
{
    const auto ref = RenderFrame(MakeFloor);
    const auto fast = RenderFrame(DrawFloor);
    SavePpm(ref, "/tmp/ref.ppm");
    SavePpm(fast, "/tmp/fast.ppm");
    EXPECT_TRUE(ref == fast);
}
