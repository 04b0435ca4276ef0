#pragma once
// Keyboard and mouse bindings. The GLUT handlers only ask GLUT what they must
// (modifiers, window size) and hand it to the plain functions below.

// GLUT's codes, repeated here so the decisions need no GL header.
constexpr int key_left = 100, key_up = 101, key_right = 102, key_down = 103;
constexpr int key_pageup = 104, key_pagedown = 105;
constexpr int mod_shift = 1;                    // GLUT_ACTIVE_SHIFT
constexpr int button_left = 0, state_down = 0;  // GLUT_LEFT_BUTTON, GLUT_DOWN

// Applies a character key; true when the key asks to end the program.
bool CharKey(unsigned char key);

// Applies a special key under the given modifier set; true when the
// projection scale changed and the projection must be rebuilt. The scale
// never goes where the GL could not build a frustum from it.
bool SpecialKey(int key, int modifiers);

// Writes the landscape being flown, with its ramp, as vellmoor-SECONDS.glb in
// the working folder, and says where (F2; the page's "Save landscape").
extern "C" void KeepLandscape();

// GLUT handlers.
void hotkey(unsigned char key, int x, int y);
void spec(int key, int x, int y);
void mfunc(int button, int state, int x, int y);
void mofunc(int x, int y);
