#ifndef TILLERVANE_VERSION_H
#define TILLERVANE_VERSION_H
/* The program's version, for the resource script's version information and for
   the C++ code alike, so the two never drift apart. */

#define TILLERVANE_VERSION_MAJOR 2
#define TILLERVANE_VERSION_MINOR 0
#define TILLERVANE_VERSION_REVISION 1

#endif
