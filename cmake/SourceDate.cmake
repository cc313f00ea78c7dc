# The date the release's files carry in the zip, so that one commit packs to
# the same bytes on any machine at any time: the commit's date in a git
# checkout; otherwise (an exported tree) $SOURCE_DATE_EPOCH when set, else a
# fixed day. In seconds since 1970, UTC.
#   include(): tillervane_source_date(SOURCE_DIR EPOCH_VARIABLE HOW_VARIABLE)
#   cmake -DSOURCE_DIR=... -P SourceDate.cmake   prints the seconds
include_guard(GLOBAL)

function(tillervane_source_date dir epoch_variable how_variable)
  find_program(TILLERVANE_GIT git)
  if(TILLERVANE_GIT)
    # Only the sources' own repository counts, not one they were unpacked into.
    execute_process(COMMAND ${TILLERVANE_GIT} -C ${dir} rev-parse --show-toplevel
      OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed)
      file(REAL_PATH ${top} top)
      file(REAL_PATH ${dir} real_dir)
    endif()
    if(NOT failed AND top STREQUAL real_dir)
      execute_process(COMMAND ${TILLERVANE_GIT} -C ${dir} log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
      if(NOT failed AND epoch MATCHES "^[0-9]+$")
        set(${epoch_variable} ${epoch} PARENT_SCOPE)
        set(${how_variable} "the commit's date" PARENT_SCOPE)
        return()
      endif()
    endif()
  endif()
  if("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(${epoch_variable} $ENV{SOURCE_DATE_EPOCH} PARENT_SCOPE)
    set(${how_variable} "SOURCE_DATE_EPOCH" PARENT_SCOPE)
  else()
    # 2000-01-01: zip dates begin in 1980.
    set(${epoch_variable} 946684800 PARENT_SCOPE)
    set(${how_variable} "a fixed date, for sources without their commit" PARENT_SCOPE)
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  tillervane_source_date(${SOURCE_DIR} epoch how)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${epoch})
endif()
