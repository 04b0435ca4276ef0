#pragma once
// The entry points above GL 1.1 that the fixed-function renderer's buffer
// pass and the shader renderer call, through pointers that LoadGlEntries and
// LoadShaderEntries fill: Windows' GL library exports GL 1.1 alone. On X11
// and in a browser they are the GL library's own exports (exported.cpp).
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>

#ifndef APIENTRY
#define APIENTRY
#endif

// X(pointer, GL's name, result, parameters) for each: null until loaded.
// The buffer pass's: GL 1.5 buffer objects and GL 1.4 multi-draw.
#define VELLMOOR_BUFFER_ENTRIES(X)                                                   \
    X(genbuffers, glGenBuffers, void, (GLsizei, GLuint *))                           \
    X(bindbuffer, glBindBuffer, void, (GLenum, GLuint))                              \
    X(bufferdata, glBufferData, void, (GLenum, std::ptrdiff_t, const void *, GLenum)) \
    X(multidraw, glMultiDrawArrays, void, (GLenum, const GLint *, const GLsizei *, GLsizei))

// The shader renderer's: GL 2.0, all of them in OpenGL ES 2.0 too, with the
// buffer calls above; multi-draw only where WebGL offers WEBGL_multi_draw.
#define VELLMOOR_SHADER_ENTRIES(X)                                                        \
    X(createshader, glCreateShader, GLuint, (GLenum))                                     \
    X(shadersource, glShaderSource, void, (GLuint, GLsizei, const GLchar *const *, const GLint *)) \
    X(compileshader, glCompileShader, void, (GLuint))                                     \
    X(deleteshader, glDeleteShader, void, (GLuint))                                       \
    X(createprogram, glCreateProgram, GLuint, ())                                         \
    X(attachshader, glAttachShader, void, (GLuint, GLuint))                               \
    X(bindattriblocation, glBindAttribLocation, void, (GLuint, GLuint, const GLchar *))   \
    X(linkprogram, glLinkProgram, void, (GLuint))                                         \
    X(getprogramiv, glGetProgramiv, void, (GLuint, GLenum, GLint *))                      \
    X(useprogram, glUseProgram, void, (GLuint))                                           \
    X(getuniformlocation, glGetUniformLocation, GLint, (GLuint, const GLchar *))          \
    X(uniform1i, glUniform1i, void, (GLint, GLint))                                       \
    X(uniform1f, glUniform1f, void, (GLint, GLfloat))                                     \
    X(uniform3f, glUniform3f, void, (GLint, GLfloat, GLfloat, GLfloat))                   \
    X(uniform4fv, glUniform4fv, void, (GLint, GLsizei, const GLfloat *))                  \
    X(uniformmatrix3fv, glUniformMatrix3fv, void, (GLint, GLsizei, GLboolean, const GLfloat *)) \
    X(uniformmatrix4fv, glUniformMatrix4fv, void, (GLint, GLsizei, GLboolean, const GLfloat *)) \
    X(vertexattribpointer, glVertexAttribPointer, void,                                   \
      (GLuint, GLint, GLenum, GLboolean, GLsizei, const void *))                          \
    X(enablevertexattribarray, glEnableVertexAttribArray, void, (GLuint))                 \
    X(disablevertexattribarray, glDisableVertexAttribArray, void, (GLuint))              \
    X(buffersubdata, glBufferSubData, void, (GLenum, std::ptrdiff_t, std::ptrdiff_t, const void *))

#define VELLMOOR_DECLARE_ENTRY(pointer, name, result, parameters) extern result(APIENTRY *pointer) parameters;
VELLMOOR_BUFFER_ENTRIES(VELLMOOR_DECLARE_ENTRY)
VELLMOOR_SHADER_ENTRIES(VELLMOOR_DECLARE_ENTRY)
#undef VELLMOOR_DECLARE_ENTRY
