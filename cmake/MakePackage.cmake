# cmake -DPROGRAM32=... -DPROGRAM64=... -DPAGE=... -DVERSION_SHOWN=... -DSTAGE=... -DZIP=...
#       -P MakePackage.cmake
# Lays the release folder out in STAGE and zips it as ZIP:
#   Tillervane-<version>/Tillervane.exe        the 32-bit program, for every player
#   Tillervane-<version>/<usage page>
#   Tillervane-<version>/VERSION.txt           the version and the SHA-256 of each program
#   Tillervane-<version>/x64/Tillervane.exe    the 64-bit program, with its own page
#   Tillervane-<version>/x64/<usage page>      and settings beside it
set(name Tillervane-${VERSION_SHOWN})
set(root ${STAGE}/${name})
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${root}/x64)
get_filename_component(page_name ${PAGE} NAME)
file(COPY_FILE ${PROGRAM32} ${root}/Tillervane.exe)
file(COPY_FILE ${PROGRAM64} ${root}/x64/Tillervane.exe)
file(COPY_FILE ${PAGE} ${root}/${page_name})
file(COPY_FILE ${PAGE} ${root}/x64/${page_name})

# Read on Windows: CRLF line ends and a byte order mark, so that every Notepad
# shows the Chinese line; the checksum lines are as sha256sum -c reads them.
file(SHA256 ${root}/Tillervane.exe sum32)
file(SHA256 ${root}/x64/Tillervane.exe sum64)
string(ASCII 239 187 191 bom)
string(CONCAT text "${bom}Tillervane v${VERSION_SHOWN}\r\n"
  "\r\n"
  "SHA-256:\r\n"
  "${sum32}  Tillervane.exe\r\n"
  "${sum64}  x64/Tillervane.exe\r\n"
  "\r\n"
  "在 Windows 的命令提示符中核对：certutil -hashfile Tillervane.exe SHA256\r\n")
file(WRITE ${root}/VERSION.txt "${text}")

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${name}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
