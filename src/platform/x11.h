#pragma once
// What only the X11 implementation asks itself (glx.cpp and remote.cpp).

// Before the window exists, from the command line the toolkit got (-display):
// true when the window's GL context should draw in the X server, not in this
// process. Only when the user has left it to us (LIBGL_ALWAYS_INDIRECT
// unset), the display is reached over the network, as ssh -X forwards it,
// and its server makes an indirect context current with a working GL; each
// frame then goes as a few kB of GL calls, not as an image. A local display
// is not asked.
bool IndirectIsBetter(int argc, char *const *argv);
