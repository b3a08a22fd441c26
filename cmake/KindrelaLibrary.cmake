# kindrela_core_library(NAME DIR [DEPS ...]): a Qt-free static library made of
# every .cpp at the top of DIR but main.cpp (windows live in src/gui/, in kindrela_gui).
function(kindrela_core_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")  # an executable's entry point
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
