#include "viewer/controls.h"

#include "render/scene/projection.h"
#include "viewer/viewer.h"

namespace {

// plane has no set bound, but stops short of scales that glFrustum refuses
// (about 900 presses either way: the GL takes them as floats).
bool SetPlane(double scale)
{
    if (!FrustumUsable(scale))
        return false;
    plane = scale;
    return true;
}

}  // namespace

bool CharKey(unsigned char key)
{
    switch (key) {
    case 27: return true;
    case '\'': if (yspd > -0.4) yspd -= 0.01; break;
    case '"': if (yspd > -0.4) yspd -= 0.05; break;
    case '/': if (yspd < 0.4) yspd += 0.01; break;
    case '?': if (yspd < 0.4) yspd += 0.05; break;
    case 'S':
    case 's': yspd = 0; hvel = 0; break;
    default: break;
    }
    return false;
}

bool SpecialKey(int key, int modifiers)
{
    const bool shift = modifiers == mod_shift;
    switch (key) {
    case key_left: alpha -= shift ? 2 : 0.5; SetHeading(); break;
    case key_right: alpha += shift ? 2 : 0.5; SetHeading(); break;
    case key_up: if (hvel < 2) hvel += shift ? 0.2 : 0.05; break;
    case key_down: if (hvel > -2) hvel -= shift ? 0.2 : 0.05; break;
    case key_pageup: return SetPlane(plane / 1.1);
    case key_pagedown: return SetPlane(plane * 1.1);
    default: break;
    }
    return false;
}

void mfunc(int button, int state, int x, int y)
{
    if (button == button_left && state == state_down) {
        X = x;
        Y = y;
    }
}

void mofunc(int x, int y)
{
    alpha = alpha - (X - x) / 2.0;
    beta = beta - (Y - y) / 2.0;
    if (beta > 90)
        beta = 90;
    else if (beta < -90)
        beta = -90;
    X = x;
    Y = y;
    SetHeading();
}
