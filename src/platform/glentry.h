#pragma once
// The entry points above GL 1.1 that the buffer pass calls, through pointers
// that LoadGlEntries fills: Windows' GL library exports GL 1.1 alone. On X11
// they are the GL library's own exports.
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>

#ifndef APIENTRY
#define APIENTRY
#endif

extern void(APIENTRY *genbuffers)(GLsizei, GLuint *);  // glGenBuffers, GL 1.5; null until loaded
extern void(APIENTRY *bindbuffer)(GLenum, GLuint);     // glBindBuffer, GL 1.5
extern void(APIENTRY *bufferdata)(GLenum, std::ptrdiff_t, const void *, GLenum);  // glBufferData, GL 1.5
extern void(APIENTRY *multidraw)(GLenum, const GLint *, const GLsizei *, GLsizei);  // glMultiDrawArrays, GL 1.4
