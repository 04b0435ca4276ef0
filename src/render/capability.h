#pragma once
// What a GL context can take, decided from what it reports: which renderer
// may run, and which landscape pass the fixed-function one uses. No GL
// here, so tests can feed it any answer.

enum class LandscapePath {
    lists,   // GL 1.1 display lists; an indirect context keeps them in the X server
    buffers  // GL 1.5 buffer objects drawn with GL 1.4 multi-draw
};

// True when a GL_VERSION string ("major.minor[.release] vendor text")
// reports at least major.minor. A missing or unreadable string counts as
// GL 1.1, which every context offers.
bool VersionAtLeast(const char *version, int major, int minor);

// Buffer objects only on a direct context of GL 1.5 or later: an indirect
// one takes the buffer offsets as client addresses.
LandscapePath ChooseLandscapePath(const char *version, bool direct);

// True when a GL_VERSION string is OpenGL ES's ("OpenGL ES major.minor ...").
bool IsOpenGLES(const char *version);

// True when a GL_VERSION string reports a GL that compiles shaders: GL 2.0
// or later, or OpenGL ES 2.0 or later ("OpenGL ES major.minor ...").
bool ShadersPossible(const char *version);

// True when a GL_EXTENSIONS string (names apart by spaces) names the
// extension; a missing string names none.
bool HasExtension(const char *extensions, const char *name);

// True when a GL draws with 32-bit indices: every desktop GL, an OpenGL ES
// one with OES_element_index_uint (WebGL's, which emscripten names with GL_
// before).
bool BigIndices(const char *version, const char *extensions);

// The extension string's name for WebGL's multi-draw, which emscripten
// gives GL_ before.
constexpr const char *webglmultidraw = "GL_WEBGL_multi_draw";
