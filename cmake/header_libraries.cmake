# The header-only libraries of the core, all from Debian's packages:
# nlohmann-json (nlohmann-json3-dev) reads and writes chain files, fast_float
# (libfast-float-dev) reads numbers and {fmt} (libfmt-dev, header-only) writes
# them. The targets keep their packages' own names in both builds.
if(NOT EMSCRIPTEN)
  find_package(nlohmann_json 3 REQUIRED)
  find_package(FastFloat REQUIRED)
  find_package(fmt 9 REQUIRED)
  return()
endif()

# The browser build must not see /usr/include as a whole: its glibc headers
# would stand in for emscripten's own C library. Each library's header folder
# alone is copied into the build tree, and that copy is what the targets offer.
set(TESSEL_SYSTEM_HEADERS /usr/include CACHE PATH
  "Where the header-only libraries' folders are found for the browser build")
set(tessel_web_include ${PROJECT_BINARY_DIR}/web-include)

function(tessel_copied_headers target folder probe)
  if(NOT EXISTS ${TESSEL_SYSTEM_HEADERS}/${folder}/${probe})
    message(FATAL_ERROR "${TESSEL_SYSTEM_HEADERS}/${folder}/${probe} is missing: "
                        "install the Debian package that ships ${target}")
  endif()
  file(COPY ${TESSEL_SYSTEM_HEADERS}/${folder} DESTINATION ${tessel_web_include})
  add_library(${target} INTERFACE IMPORTED)
  # Imported include folders count as system headers: the libraries' own
  # code is not held to the project's warnings.
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${tessel_web_include})
endfunction()

tessel_copied_headers(nlohmann_json::nlohmann_json nlohmann json.hpp)
tessel_copied_headers(FastFloat::fast_float fast_float fast_float.h)
tessel_copied_headers(fmt::fmt-header-only fmt format.h)
# The program never writes numbers by a locale's rules ({fmt}'s L), so the
# browser build leaves out std::locale and every facet it would bring.
set_target_properties(fmt::fmt-header-only PROPERTIES
  INTERFACE_COMPILE_DEFINITIONS "FMT_HEADER_ONLY=1;FMT_STATIC_THOUSANDS_SEPARATOR=','")
