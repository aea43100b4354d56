# Writes OUT with the source tree's commit ("-dirty" for local changes) and the build type,
# rewriting it only when that changes: the log tells what a build was made from, and an
# unchanged tree is not relinked.
execute_process(COMMAND git -C "${SRC}" describe --always --dirty --abbrev=12
                OUTPUT_VARIABLE id OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
if(failed OR id STREQUAL "")
  set(id "unknown")
endif()
if(TYPE)
  string(APPEND id ", ${TYPE}")
endif()
set(text "// Generated at build time.\nextern const char* const g_build_id = \"${id}\";\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
