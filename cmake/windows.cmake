# Windows: freeglut linked statically (FREEGLUT_STATIC), from freeglut's own
# CMake package, and the Win32 platform room. What freeglut needs of Windows
# comes with it: the GL and GLU libraries, GDI and the multimedia timers.
find_package(FreeGLUT REQUIRED CONFIG)
add_library(vellmoor_glut INTERFACE)
target_link_libraries(vellmoor_glut INTERFACE FreeGLUT::freeglut_static glu32 opengl32 gdi32 winmm)
target_compile_definitions(vellmoor_glut INTERFACE FREEGLUT_STATIC)
add_library(GLUT::GLUT ALIAS vellmoor_glut)
set(VELLMOOR_PLATFORM_SOURCES src/platform/windows.cpp src/platform/windowed.cpp src/platform/direct.cpp)
set(VELLMOOR_PLATFORM_LIBS)
