// The shader renderer's programs. The GLSL compiles as GLSL ES 1.00 and as
// desktop GLSL 1.10; only the first line differs. Each program does what
// the fixed-function state does for its part of the frame: per-vertex
// lighting by light 0 with GL's default material and light model, two-sided;
// EXP2 fog from the eye distance as the GL takes it; the ramp in replace
// mode, unlit.
#include <GL/gl.h>

#include <initializer_list>

#include "platform/glentry.h"
#include "render/capability.h"
#include "render/look.h"
#include "render/shaders/shaders.h"

Program skyprogram, landscapeprogram, textprogram;

namespace {

const char *const desktopprelude = "#version 110\n";
const char *const esprelude = "#version 100\n";

const char *const lighting = R"(
uniform vec4 lightposition, lightambient, lightdiffuse;
// GL's defaults: the material's ambient and diffuse colours and the light
// model's ambient colour; the material has no specular colour or emission.
const vec4 materialambient = vec4(0.2, 0.2, 0.2, 1.0);
const vec4 materialdiffuse = vec4(0.8, 0.8, 0.8, 1.0);
const vec4 sceneambient = vec4(0.2, 0.2, 0.2, 1.0);
// The colour fixed lighting gives a vertex at eye with normal n, which is
// not renormalised (nor is it by the GL).
vec4 Lit(vec3 eye, vec3 n)
{
    vec3 tolight = normalize(lightposition.xyz - eye * lightposition.w);
    vec3 c = sceneambient.rgb * materialambient.rgb + materialambient.rgb * lightambient.rgb
        + max(dot(n, tolight), 0.0) * materialdiffuse.rgb * lightdiffuse.rgb;
    return vec4(clamp(c, 0.0, 1.0), materialdiffuse.a);
}
)";

const char *const fragmenthead = R"(
#ifdef GL_ES
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
#endif
uniform vec4 fogcolour;
uniform float fogdensity;
varying float fogdistance;
vec4 Fogged(vec4 c)
{
    float d = fogdensity * fogdistance;
    return vec4(mix(fogcolour.rgb, c.rgb, clamp(exp(-d * d), 0.0, 1.0)), c.a);
}
)";

// The fog distance is |z| in eye coordinates, as Mesa and most GLs take it.
// Each endpoint shaded as a vertex of its own, then every output mixed by
// along, as the GL's clipper mixes a vertex it makes on an edge.
const char *const skyvertex = R"(
attribute vec3 position, normal, position2, normal2;
attribute float along;
uniform mat4 modelview, projection;
uniform mat3 normalmatrix;
varying vec4 front, back;
varying float fogdistance;
void Shade(vec3 p, vec3 objectnormal, out vec4 f, out vec4 b, out float fog, out vec4 clip)
{
    vec4 eye = modelview * vec4(p, 1.0);
    vec3 n = normalmatrix * objectnormal;
    f = Lit(eye.xyz, n);
    b = Lit(eye.xyz, -n);
    fog = abs(eye.z);
    clip = projection * eye;
}
void main()
{
    vec4 f1, b1, c1, f2, b2, c2;
    float fog1, fog2;
    Shade(position, normal, f1, b1, fog1, c1);
    Shade(position2, normal2, f2, b2, fog2, c2);
    front = mix(f1, f2, along);
    back = mix(b1, b2, along);
    fogdistance = mix(fog1, fog2, along);
    gl_Position = mix(c1, c2, along);
}
)";

const char *const skyfragment = R"(
varying vec4 front, back;
void main()
{
    gl_FragColor = Fogged(gl_FrontFacing ? front : back);
}
)";

const char *const landscapevertex = R"(
attribute vec3 position;
attribute float coord;
uniform mat4 modelview, projection;
varying float rampcoord, fogdistance;
void main()
{
    vec4 eye = modelview * vec4(position, 1.0);
    rampcoord = coord;
    fogdistance = abs(eye.z);
    gl_Position = projection * eye;
}
)";

// The ramp is a width x 1 image: row 0 at t = 0.5, as a 1D texture.
const char *const landscapefragment = R"(
uniform sampler2D ramp;
uniform bool textured;
uniform vec4 plaincolour;
varying float rampcoord;
void main()
{
    gl_FragColor = Fogged(textured ? texture2D(ramp, vec2(rampcoord, 0.5)) : plaincolour);
}
)";

// A glyph takes the colour its raster position is lit with; the model-view
// matrix is the identity, so position and origin are eye coordinates.
const char *const textvertex = R"(
attribute vec3 position, origin;
attribute vec2 coord;
uniform mat4 projection;
uniform vec3 normal;
varying vec4 colour;
varying vec2 atlascoord;
varying float fogdistance;
void main()
{
    colour = Lit(origin, normal);
    atlascoord = coord;
    fogdistance = abs(origin.z);
    gl_Position = projection * vec4(position, 1.0);
}
)";

const char *const textfragment = R"(
uniform sampler2D glyphs;
varying vec4 colour;
varying vec2 atlascoord;
void main()
{
    if (texture2D(glyphs, atlascoord).r < 0.5)
        discard;
    gl_FragColor = Fogged(colour);
}
)";

// The prelude, then the parts. Whether it compiled is asked of the program
// it goes into: one that did not fails the link.
GLuint Compile(GLenum kind, const char *prelude, const char *a, const char *b)
{
    const char *parts[] = {prelude, a, b};
    const GLuint shader = createshader(kind);
    shadersource(shader, 3, parts, nullptr);
    compileshader(shader);
    return shader;
}

// Linked without waiting for it: the driver compiles and links the three
// programs while BuildPrograms goes on, and their status is asked after
// (each question waits for the driver; in a browser, on the page's main
// thread).
Program Link(const char *prelude, const char *vertexhead, const char *vertex, const char *fragment)
{
    Program p{};
    const GLuint vs = Compile(GL_VERTEX_SHADER, prelude, vertexhead, vertex);
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, prelude, fragmenthead, fragment);
    p.id = createprogram();
    attachshader(p.id, vs);
    attachshader(p.id, fs);
    bindattriblocation(p.id, attrposition, "position");
    bindattriblocation(p.id, attrnormal, "normal");
    bindattriblocation(p.id, attrcoord, "coord");
    bindattriblocation(p.id, attrposition2, "position2");
    bindattriblocation(p.id, attrnormal2, "normal2");
    bindattriblocation(p.id, attralong, "along");
    bindattriblocation(p.id, attrorigin, "origin");
    linkprogram(p.id);
    for (GLuint s : {vs, fs})
        deleteshader(s);  // freed with the program
    return p;
}

// The uniforms every program may have, set once: light 0, the fog, the samplers.
void FixUniforms(Program &p)
{
    const auto at = [&p](const char *name) { return getuniformlocation(p.id, name); };
    p.modelview = at("modelview");
    p.projection = at("projection");
    p.normalmatrix = at("normalmatrix");
    p.textured = at("textured");
    p.normal = at("normal");
    useprogram(p.id);
    uniform4fv(at("lightposition"), 1, light_position);
    uniform4fv(at("lightambient"), 1, light_ambient);
    uniform4fv(at("lightdiffuse"), 1, light_diffuse);
    uniform4fv(at("fogcolour"), 1, light_ambient);
    uniform1f(at("fogdensity"), fogdensity);
    uniform1i(at("ramp"), 0);  // texture unit 0
    uniform1i(at("glyphs"), 0);
    const float plain[4] = {skycolour[0], skycolour[1], skycolour[2], 1};
    uniform4fv(at("plaincolour"), 1, plain);
    useprogram(0);
}

}  // namespace

bool BuildPrograms()
{
    const bool es = IsOpenGLES(reinterpret_cast<const char *>(glGetString(GL_VERSION)));
    const char *prelude = es ? esprelude : desktopprelude;
    skyprogram = Link(prelude, lighting, skyvertex, skyfragment);
    landscapeprogram = Link(prelude, "", landscapevertex, landscapefragment);
    textprogram = Link(prelude, lighting, textvertex, textfragment);
    for (Program *p : {&skyprogram, &landscapeprogram, &textprogram}) {
        GLint ok = 0;
        getprogramiv(p->id, GL_LINK_STATUS, &ok);
        if (!ok) {
            p->id = 0;
            return false;
        }
        FixUniforms(*p);
    }
    return true;
}
