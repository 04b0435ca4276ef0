// The shader renderer as the chooser sees it.
#include "render/backend.h"
#include "render/shaders/shaders.h"

namespace {

// Its matrices are the scene's own.
void Projection(const Frustum &) {}

}  // namespace

const Renderer shaderrenderer = {.start = StartShaders, .state = InitShaderState, .ramp = UploadRamp2D,
                                 .projection = Projection, .frame = ShaderFrame, .lost = ForgetShaders};
