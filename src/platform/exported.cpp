// The entry points above GL 1.1 where the GL library exports them all, as
// Linux's does and emscripten's (WebGL 1 and its extensions): linked as
// they are, so there is nothing to fetch.
#define GL_GLEXT_PROTOTYPES 1
#include "platform/glentry.h"
#include "platform/platform.h"

#define VELLMOOR_EXPORTED_ENTRY(pointer, name, result, parameters) result(APIENTRY *pointer) parameters = name;
VELLMOOR_BUFFER_ENTRIES(VELLMOOR_EXPORTED_ENTRY)
VELLMOOR_SHADER_ENTRIES(VELLMOOR_EXPORTED_ENTRY)
#undef VELLMOOR_EXPORTED_ENTRY

bool LoadGlEntries()
{
    return true;
}

bool LoadShaderEntries()
{
    return true;
}
