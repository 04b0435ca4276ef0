// The fixed-function renderer as the chooser sees it.
#include "render/backend.h"
#include "render/fixed/fixed.h"
#include "render/fixed/landscape.h"

namespace {

// Every context takes it; the landscape pass is chosen with the state.
bool Start()
{
    return true;
}

void Frame(const FrameView &view)
{
    DrawFrame(view, DrawLandscape);
}

// Texture 1's name is fixed and needs no forgetting.
void Lost()
{
    ForgetBuffer();
    ForgetLists();
}

}  // namespace

const Renderer fixedrenderer = {Start, InitFixedState, UploadRamp1D, FixedProjection, Frame, Lost};
