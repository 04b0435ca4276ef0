#include <gtest/gtest.h>

#include <utility>

#include "render/capability.h"

TEST(PassChoice, BufferObjectsOnADirectContextOfGL15ShadersFromGL20OrES20)
{
    const struct {
        const char *version;
        bool direct;
        LandscapePath path;
        bool shaders;  // whether the shader pass may be tried
    } cases[] = {
        {"4.5 (Compatibility Profile) Mesa 22.3.6", true, LandscapePath::buffers, true},
        {"1.5", true, LandscapePath::buffers, false},
        {"2.1 Mesa 10.0", true, LandscapePath::buffers, true},
        {"1.10", true, LandscapePath::buffers, false},
        {"1.4 Mesa 22.3.6", true, LandscapePath::lists, false},
        {"1.4.0 NVIDIA", true, LandscapePath::lists, false},
        {"0.9", true, LandscapePath::lists, false},
        {"4.5 (Compatibility Profile) Mesa 22.3.6", false, LandscapePath::lists, true},
        {nullptr, true, LandscapePath::lists, false},  // the query failed: GL 1.1
        {"", true, LandscapePath::lists, false},
        {"OpenGL ES 3.2", true, LandscapePath::lists, true},
        {"4", true, LandscapePath::lists, false},
        {"4.", true, LandscapePath::lists, false},
        {"99999999999.0", true, LandscapePath::lists, false},  // no version number is that long
        {"OpenGL ES 2.0 (WebGL 1.0)", true, LandscapePath::lists, true},
        {"OpenGL ES-CM 1.1", true, LandscapePath::lists, false},
        {"1.4 (2.1 Mesa 22.3.6)", false, LandscapePath::lists, false},  // indirect GLX's
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ChooseLandscapePath(c.version, c.direct), c.path)
            << (c.version ? c.version : "(null)") << (c.direct ? ", direct" : ", indirect");
        EXPECT_EQ(ShadersPossible(c.version), c.shaders) << (c.version ? c.version : "(null)");
    }
    const char *list = "GL_OES_x GL_WEBGL_multi_draw_instanced GL_WEBGL_multi_draw GL_EXT_y";
    for (auto [name, has] : {std::pair{webglmultidraw, true}, {"GL_WEBGL_multi", false}, {"GL_EXT_y", true}, {"", false}})
        EXPECT_EQ(HasExtension(list, name), has) << name;
    EXPECT_FALSE(HasExtension("GL_WEBGL_multi_draw_instanced", webglmultidraw));
    EXPECT_FALSE(HasExtension(nullptr, webglmultidraw));
    EXPECT_TRUE(BigIndices("1.4 Mesa 22.3.6", nullptr));
    EXPECT_FALSE(BigIndices("OpenGL ES 2.0 (WebGL 1.0)", list));
    EXPECT_TRUE(BigIndices("OpenGL ES 2.0 (WebGL 1.0)", "GL_OES_x GL_OES_element_index_uint"));
}
