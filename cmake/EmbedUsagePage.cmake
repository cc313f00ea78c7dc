# cmake -DTEMPLATE=... -DOUTPUT=... -DDOCS=... -DVERSION_SHOWN=... -P EmbedUsagePage.cmake
# Fills in the page template: @VERSION_SHOWN@, and @MAIN_WINDOW_PNG@ and
# @EDITOR_PNG@ as data addresses of two pictures of docs/, so that the page is
# one file that opens anywhere, without a network.

# embed(VARIABLE PICTURE): VARIABLE becomes the data address of DOCS/PICTURE.
function(embed variable picture)
  # CMake has no base64 of its own; coreutils' base64 is on every machine that
  # builds this (Git Bash has it on Windows).
  execute_process(COMMAND base64 -w0 ${DOCS}/${picture} OUTPUT_VARIABLE encoded RESULT_VARIABLE failed)
  if(failed OR encoded STREQUAL "")
    message(FATAL_ERROR "could not encode ${DOCS}/${picture}")
  endif()
  set(${variable} "data:image/png;base64,${encoded}" PARENT_SCOPE)
endfunction()

embed(MAIN_WINDOW_PNG main-window.png)
embed(EDITOR_PNG editor.png)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
