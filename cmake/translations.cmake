# The translations, from the gettext catalogues in po/ (one a language of
# po/LINGUAS): msgfmt --check compiles each, and po/make_catalogues.py turns
# them into C++ data that the toolkit compiles in, alike in the native and
# the browser build.
find_program(TESSEL_MSGFMT msgfmt NO_CMAKE_FIND_ROOT_PATH)
if(NOT TESSEL_MSGFMT)
  message(FATAL_ERROR "msgfmt compiles the translations; install Debian's gettext")
endif()
find_program(TESSEL_CATALOGUE_PYTHON NAMES python3 NO_CMAKE_FIND_ROOT_PATH REQUIRED)

file(STRINGS ${PROJECT_SOURCE_DIR}/po/LINGUAS TESSEL_LANGUAGES REGEX "^[^#]")
set(compiled)
set(catalogue_arguments)
foreach(language IN LISTS TESSEL_LANGUAGES)
  set(mo ${PROJECT_BINARY_DIR}/po/${language}.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/po
    COMMAND ${TESSEL_MSGFMT} --check --output-file=${mo} ${PROJECT_SOURCE_DIR}/po/${language}.po
    DEPENDS ${PROJECT_SOURCE_DIR}/po/${language}.po
    COMMENT "Compiling the ${language} catalogue" VERBATIM)
  list(APPEND compiled ${mo})
  list(APPEND catalogue_arguments ${language}=${mo})
endforeach()

# The page's core leaves out what only the native programs show: tessel-sim's
# texts, the desktop's and both programs' help; every other text it carries.
set(left_out)
if(EMSCRIPTEN)
  set(left_out --leave-out sim/ app/ window/help_texts.cpp)
endif()

set(TESSEL_CATALOGUES_SOURCE ${PROJECT_BINARY_DIR}/generated/toolkit/catalogues.cpp)
add_custom_command(OUTPUT ${TESSEL_CATALOGUES_SOURCE}
  COMMAND ${TESSEL_CATALOGUE_PYTHON} ${PROJECT_SOURCE_DIR}/po/make_catalogues.py
    --out ${TESSEL_CATALOGUES_SOURCE} --template ${PROJECT_SOURCE_DIR}/po/tessel-demo.pot
    ${left_out} -- ${catalogue_arguments}
  DEPENDS ${compiled} ${PROJECT_SOURCE_DIR}/po/make_catalogues.py ${PROJECT_SOURCE_DIR}/po/LINGUAS
    ${PROJECT_SOURCE_DIR}/po/tessel-demo.pot
  COMMENT "Writing the translations as C++ data" VERBATIM)
