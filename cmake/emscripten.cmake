# The browser build (the 'web' preset): the core libraries and their tests
# compiled by Debian's em++ to WebAssembly, the tests run under node.
if(TESSEL_BUILD_VIEW OR TESSEL_BUILD_BENCHMARKS OR TESSEL_FUZZ)
  message(FATAL_ERROR "The browser build holds the core libraries and their tests only: "
                      "configure it with the 'web' preset (TESSEL_BUILD_VIEW, "
                      "TESSEL_BUILD_BENCHMARKS and TESSEL_FUZZ OFF)")
endif()

# Exceptions are off by default in emscripten; chain files, run errors and
# GoogleTest need them, in every object and at link time.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
# Programs end as native ones do: at the end of main the runtime exits,
# flushing standard output, and node exits with main's status. Some tests
# need more than the default 16 MiB of memory.
add_link_options(-sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)

# em++ runs its JavaScript optimiser under node at link time, which needs
# Debian's acorn from /usr/share/nodejs.
set(TESSEL_NODE_MODULES /usr/share/nodejs CACHE PATH "Where node finds Debian's acorn")
if(NOT EXISTS ${TESSEL_NODE_MODULES}/acorn)
  message(FATAL_ERROR "${TESSEL_NODE_MODULES}/acorn is missing (Debian package node-acorn)")
endif()
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${TESSEL_NODE_MODULES})

# The programs run under node, also when GoogleTest lists their tests at
# build time. Without --no-experimental-fetch, node 20's fetch() makes the
# generated loader try to fetch the .wasm file as a URL, which fails.
find_program(TESSEL_NODE NAMES node nodejs NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSEL_NODE} --no-experimental-fetch)
