# `cmake --build build --target format` formats the sources; `format-check` fails on any
# file that is not formatted.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(CLANG_FORMAT)
  file(GLOB_RECURSE KESTRAVA_FORMAT_SOURCES CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
       ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
       ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.cpp
       ${PROJECT_SOURCE_DIR}/fuzz/*.cpp ${PROJECT_SOURCE_DIR}/fuzz/*.h)
  add_custom_target(format COMMAND ${CLANG_FORMAT} -i ${KESTRAVA_FORMAT_SOURCES}
                    COMMENT "Formatting sources")
  add_custom_target(format-check
                    COMMAND ${CLANG_FORMAT} --dry-run --Werror ${KESTRAVA_FORMAT_SOURCES}
                    COMMENT "Checking formatting")
endif()
