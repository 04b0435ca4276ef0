// Linked into vellmoor_immediate: the real viewer drawing its landscape with
// the immediate reference pass, for frame-rate comparisons.
#include "render/render.h"

namespace {
const bool chosen = (floorpass = MakeFloor, true);
}
