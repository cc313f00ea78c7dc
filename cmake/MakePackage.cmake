# cmake -DPROGRAM32=... -DPROGRAM64=... -DPAGE=... -DVERSION_SHOWN=... -DSOURCE_DIR=...
#       -DSTAGE=... -DZIP=... -P MakePackage.cmake
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

# The same bytes from the same commit, wherever and whenever it is packed: the
# entries sorted, every file and folder with the same permissions and the
# commit's date, and no extra fields (-X: those would carry the builder's user
# and the files' access and change times). cmake -E tar cannot leave those out.
# zip writes local time, so the time zone is UTC; ZIP and ZIPOPT would add options.
include(${CMAKE_CURRENT_LIST_DIR}/SourceDate.cmake)
tillervane_source_date(${SOURCE_DIR} epoch how)
file(GLOB_RECURSE entries LIST_DIRECTORIES ON RELATIVE ${STAGE} ${root}/*)
list(APPEND entries ${name})
list(SORT entries)
file(CHMOD_RECURSE ${root} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
execute_process(COMMAND touch -h -d @${epoch} ${entries} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not date the files in ${root}")
endif()
list(JOIN entries "\n" listed)
file(WRITE ${STAGE}/entries.txt "${listed}\n")
file(REMOVE ${ZIP})
set(ENV{TZ} UTC0)
unset(ENV{ZIP})
unset(ENV{ZIPOPT})
execute_process(COMMAND zip -X -q ${ZIP} -@ INPUT_FILE ${STAGE}/entries.txt
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not write ${ZIP}")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${epoch})  # what string(TIMESTAMP) shows
string(TIMESTAMP shown "%Y-%m-%d %H:%M:%S UTC" UTC)
message(STATUS "${name}.zip dated ${shown}: ${how}")
