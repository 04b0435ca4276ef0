// The fixed-function renderer as the chooser sees it.
#include "render/backend.h"
#include "render/fixed/fixed.h"

namespace {

// Every context takes it; what it reports decides the landscape pass.
bool Start()
{
    ChooseLandscapePass();
    return true;
}

}  // namespace

// Texture 1's name is fixed and needs no forgetting.
const Renderer fixedrenderer = {.start = Start, .state = InitFixedState, .ramp = UploadRamp1D,
                                .projection = FixedProjection, .frame = FixedFrame, .lost = ForgetLandscape};
