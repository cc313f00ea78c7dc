#ifndef TILLERVANE_VERSION_H
#define TILLERVANE_VERSION_H
/* The program's version, written only here: the resource script, the C++ code
   and the build (cmake/Version.cmake, which also fills the manifest) read it. */

#define TILLERVANE_VERSION_MAJOR 2
#define TILLERVANE_VERSION_MINOR 0
#define TILLERVANE_VERSION_REVISION 1

/* "2.00.0001", the form of the file properties' version texts. */
#define TILLERVANE_TEXT_(x) #x
#define TILLERVANE_TEXT(x) TILLERVANE_TEXT_(x)
#define TILLERVANE_VERSION_TEXT                                                      \
  TILLERVANE_TEXT(TILLERVANE_VERSION_MAJOR) ".0" TILLERVANE_TEXT(TILLERVANE_VERSION_MINOR) \
  ".000" TILLERVANE_TEXT(TILLERVANE_VERSION_REVISION)

#endif
