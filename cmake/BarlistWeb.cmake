# Settings of the WebAssembly build (Emscripten), included before any target.

# Fatal stops travel as exceptions: without these flags every one aborts.
# WebAssembly's own exceptions (Chromium 95, node 17 and later) cost nothing
# until one is thrown; Emscripten's JavaScript ones (-fexceptions) wrap every
# call that may throw in a call out to JavaScript, and slow a run severalfold.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)

# WebAssembly's vector instructions (Chromium 91, Firefox 89, Safari 16.4,
# node 16.4 and later): the neat-card test reads sixteen columns at once, and
# the rest of the check runs about a fifth faster with them.
add_compile_options(-msimd128)

# Emscripten's optimizer needs Debian's acorn, which node finds only here.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# The toolchain file hides /usr from find_package, and -isystem /usr/include
# would put the host's C library before Emscripten's. A find root of our own
# holds only the header-only libraries and the CMake files of two of them
# ({fmt}'s name a shared library too: its headers are taken as they are).
set(barlist_web_root ${CMAKE_BINARY_DIR}/web-find-root)
foreach(folder CLI nlohmann fmt)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: install libcli11-dev, nlohmann-json3-dev and libfmt-dev")
  endif()
  file(MAKE_DIRECTORY ${barlist_web_root}/usr/include)
  file(CREATE_LINK /usr/include/${folder} ${barlist_web_root}/usr/include/${folder} SYMBOLIC)
endforeach()
foreach(package CLI11 nlohmann_json)
  file(GLOB package_files /usr/share/cmake/${package}/*.cmake)
  file(COPY ${package_files} DESTINATION ${barlist_web_root}/usr/share/cmake/${package})
endforeach()
list(APPEND CMAKE_FIND_ROOT_PATH ${barlist_web_root})

# The command line under node: the native program's options and dialogue,
# files through node's file system, the environment and the file mode
# creation mask handed to the engine.
function(barlist_node_program target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/web/inherited_umask.cpp)
  target_link_options(${target} PRIVATE
    -sNODERAWFS=1 -sENVIRONMENT=node -sSINGLE_FILE=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
    --pre-js ${PROJECT_SOURCE_DIR}/src/web/node_environment.js)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/src/web/node_environment.js)
endfunction()
