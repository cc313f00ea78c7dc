#ifndef TILLERVANE_RESOURCE_IDS_H
#define TILLERVANE_RESOURCE_IDS_H
/* Resource identifiers, shared by the resource script and the C++ code. */

#define IDI_APP 100
#define IDI_GETKEY 110

#endif
