# The OpenGL loader is generated into the build tree, offline, never committed.
find_program(GLAD_EXECUTABLE glad REQUIRED)

set(CORVANE_GLAD_DIR ${CMAKE_BINARY_DIR}/glad)
if(WIN32)
  set(_glad_api "gl:compatibility=1.1,wgl=1.0")
  set(_glad_extensions "WGL_ARB_extensions_string,WGL_EXT_extensions_string,WGL_ARB_pixel_format,WGL_ARB_pbuffer,WGL_ARB_make_current_read,WGL_ARB_render_texture,WGL_EXT_swap_control")
  set(_glad_sources ${CORVANE_GLAD_DIR}/src/gl.c ${CORVANE_GLAD_DIR}/src/wgl.c)
else()
  set(_glad_api "gl:compatibility=1.1")
  set(_glad_extensions "")
  set(_glad_sources ${CORVANE_GLAD_DIR}/src/gl.c)
endif()

add_custom_command(
  OUTPUT ${_glad_sources}
  COMMAND ${GLAD_EXECUTABLE} --quiet --reproducible --api ${_glad_api}
          --extensions "${_glad_extensions}" --out-path ${CORVANE_GLAD_DIR} c
  COMMENT "Generating the OpenGL loader"
  VERBATIM)

add_library(corvane_glad STATIC ${_glad_sources})
target_include_directories(corvane_glad SYSTEM PUBLIC ${CORVANE_GLAD_DIR}/include)
set_target_properties(corvane_glad PROPERTIES POSITION_INDEPENDENT_CODE ON)
