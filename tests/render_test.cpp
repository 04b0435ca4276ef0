#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cmath>
#include <vector>

#include "support/glwindow.h"
#include "render/scene/projection.h"
#include "render/look.h"
#include "render/render.h"
#include "render/scene/sphere.h"
#include "viewer/controls.h"

namespace {

void ExpectMatrix(GLenum which, const double (&want)[16])
{
    double m[16];
    glGetDoublev(which, m);
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(m[k], want[k], 1e-6 * std::max(1.0, std::fabs(want[k]))) << "element " << k;
    for (int k = 0; which == GL_PROJECTION_MATRIX && k < 16; ++k)  // the copy the culling uses
        EXPECT_NEAR(projmatrix[k], want[k], 1e-9 * std::max(1.0, std::fabs(want[k]))) << "copy " << k;
}

void ExpectFrustum(double scale)
{
    const double n = 0.8 * scale, f = 40 / scale;
    const double s = 2 * n / (1.8 * scale);  // 8/9 whatever the scale
    const double want[16] = {s, 0, 0, 0, 0, s, 0, 0, 0, 0, -(f + n) / (f - n), -1,
                             0, 0, -2 * f * n / (f - n), 0};
    ExpectMatrix(GL_PROJECTION_MATRIX, want);
}

void Expect4(GLenum light, GLenum what, float a, float b, float c, float d)
{
    float v[4];
    glGetLightfv(light, what, v);
    EXPECT_FLOAT_EQ(v[0], a);
    EXPECT_FLOAT_EQ(v[1], b);
    EXPECT_FLOAT_EQ(v[2], c);
    EXPECT_FLOAT_EQ(v[3], d);
}

class Render : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestWindow();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        InitRender();
    }
    void TearDown() override
    {
        plane = 0.1;
        reshape(500, 500);
    }
};

// What the GL makes of draw() in feedback mode, lit and unculled, in window
// coordinates through a box 40 wide; turned, so that the light falls on
// every side.
std::vector<float> Feedback(void (*draw)())
{
    std::vector<float> buf(8192);
    glFeedbackBuffer(GLsizei(buf.size()), GL_3D_COLOR, buf.data());
    glRenderMode(GL_FEEDBACK);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-20, 20, -20, 20, -20, 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(70, 1, 2, 3);
    draw();
    glLoadIdentity();
    glEnable(GL_CULL_FACE);
    buf.resize(std::size_t(std::max(0, glRenderMode(GL_RENDER))));
    return buf;
}

}  // namespace

TEST_F(Render, FixedStateIsSetOnce)
{
    EXPECT_TRUE(glIsEnabled(GL_POLYGON_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLint v = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &v);
    EXPECT_EQ(v, GL_BACK);
    glGetIntegerv(GL_FRONT_FACE, &v);
    EXPECT_EQ(v, GL_CW);
    glGetIntegerv(GL_FOG_MODE, &v);
    EXPECT_EQ(v, GL_EXP2);
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &v);
    EXPECT_EQ(v, 1);
    float f[4];
    glGetFloatv(GL_FOG_DENSITY, f);
    EXPECT_FLOAT_EQ(f[0], 0.0005f);
    glGetFloatv(GL_FOG_COLOR, f);
    EXPECT_EQ(f[0] + f[1] + f[2] + f[3], 4.0f);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, f);
    EXPECT_FLOAT_EQ(f[0], 0.2f);
    EXPECT_FLOAT_EQ(f[1], 0.4f);
    EXPECT_FLOAT_EQ(f[2], 0.6f);
    EXPECT_FLOAT_EQ(f[3], 0.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Render, LightZeroSitsAboveTheEyeInEyeCoordinates)
{
    Expect4(GL_LIGHT0, GL_POSITION, 0, 100, 0, 1);
    Expect4(GL_LIGHT0, GL_AMBIENT, 1, 1, 1, 1);
    Expect4(GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1);
    Expect4(GL_LIGHT0, GL_SPECULAR, 1, 1, 1, 1);
}

TEST_F(Render, StartUpProjectionIsTheFortyFiveDegreePerspective)
{
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    const double c = 1 / std::tan(22.5 * M_PI / 180), n = double(0.1f), f = 100;
    const double want[16] = {c, 0, 0, 0, 0, c, 0, 0, 0, 0, (f + n) / (n - f), -1,
                             0, 0, 2 * f * n / (n - f), 0};
    ExpectMatrix(GL_PROJECTION_MATRIX, want);
}

TEST_F(Render, ReshapeGivesTheSquareFrustumWhateverTheWindow)
{
    reshape(500, 500);
    ExpectFrustum(0.1);
    reshape(1000, 500);
    ExpectFrustum(0.1);
    EXPECT_EQ(currW, 1000);
    EXPECT_EQ(currH, 500);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[0], 0);
    EXPECT_EQ(vp[1], 0);
    EXPECT_EQ(vp[2], 1000);
    EXPECT_EQ(vp[3], 500);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ExpectMatrix(GL_MODELVIEW_MATRIX, identity);
}

TEST_F(Render, PageDownFiveTimesPullsTheFarPlaneIn)
{
    for (int k = 0; k < 5; ++k)
        SpecialKey(key_pagedown, 0);
    reshape(300, 200);
    ExpectFrustum(plane);
    const Frustum f = FrustumFor(plane);
    EXPECT_NEAR(f.zfar, 248.37, 0.01);
    EXPECT_NEAR(f.znear, 0.1288, 0.0001);
}

TEST_F(Render, SkyMeshGivesTheToolkitsSphereTriangleForTriangle)
{
    const auto theirs = Feedback([] { glutSolidSphere(skyradius, skyslices, skystacks); });
    const auto ours = Feedback([] {
        const std::vector<SphereVertex> v = SphereStrips(float(skyradius), skyslices, skystacks);
        for (std::size_t k = 0; k < v.size(); ++k) {
            if (k % (2 * (skyslices + 1)) == 0)
                glBegin(GL_TRIANGLE_STRIP);
            glNormal3fv(v[k].normal);
            glVertex3fv(v[k].position);
            if ((k + 1) % (2 * (skyslices + 1)) == 0)
                glEnd();
        }
    });
    ASSERT_EQ(ours.size(), theirs.size());
    EXPECT_GE(theirs.size(), 40u * 23);  // the 40 triangles with an area, each a token, a count, 3 x 7 values
    for (std::size_t k = 0; k < ours.size(); ++k)
        EXPECT_NEAR(ours[k], theirs[k], 1e-3) << "value " << k;
}
