# The browser: the viewer as WebAssembly with a JavaScript loader, built by
# emscripten (through emcmake or its toolchain file). Its GLUT and WebGL
# are emscripten's; WebGL has no fixed-function pipeline, so the shader
# renderer is the only one linked, and the chooser's candidates are it and
# one that draws nothing. The page and its script are web/'s.

add_executable(vellmoor src/main.cpp ${VELLMOOR_CORE_SOURCES} ${VELLMOOR_GL_SOURCES}
  ${VELLMOOR_SHADER_SOURCES} src/render/candidatesweb.cpp
  src/platform/posix.cpp src/platform/web.cpp src/platform/exported.cpp src/platform/direct.cpp)
target_include_directories(vellmoor PRIVATE src)
target_compile_options(vellmoor PRIVATE -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
target_link_libraries(vellmoor PRIVATE vellmoor_warnings)
set_property(TARGET vellmoor APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/webglut.js
  ${PROJECT_SOURCE_DIR}/src/platform/webwait.js)
# A factory, Vellmoor(settings), that the page calls once a run: each run is
# a fresh instance, ended as Escape ends it (EndProgram). No eval, so
# that the page's Content-Security-Policy can forbid it; the page feeds
# standard output byte by byte and writes colours.txt before main.
target_link_options(vellmoor PRIVATE -lGL -lglut
  "SHELL:--js-library ${PROJECT_SOURCE_DIR}/src/platform/webglut.js"
  "SHELL:--js-library ${PROJECT_SOURCE_DIR}/src/platform/webwait.js"
  # main waits for the page's frames once it has its context and while it
  # builds the landscape: only the functions on those ways are rewritten to
  # unwind, none reached through a pointer.
  -sASYNCIFY=1 -sASYNCIFY_IGNORE_INDIRECT=1 "-sASYNCIFY_IMPORTS=['NextPageFrame','glutCreateWindow']"
  -sMODULARIZE=1 -sEXPORT_NAME=Vellmoor -sENVIRONMENT=web -sEXIT_RUNTIME=1
  -sALLOW_MEMORY_GROWTH=1 -sDYNAMIC_EXECUTION=0 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_RUNTIME_METHODS=['FS']" "-sEXPORTED_FUNCTIONS=['_main','_EndRun','_PausePage','_DrawAgain','_ContextRestored','_EnableExtensions','_KeepLandscape']")
