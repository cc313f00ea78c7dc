#ifndef TILLERVANE_RESOURCE_IDS_H
#define TILLERVANE_RESOURCE_IDS_H
/* Resource identifiers, shared by the resource script and the C++ code. */

#define IDI_APP 100
#define IDI_GETKEY 110
/* The editor's pointing hand: its window icon, and the same picture as a
   pointer with the hot spot on the fingertip. */
#define IDI_POINTING_HAND 120
#define IDC_POINTING_HAND 121
/* The editor's four arrows, 193 x 130. */
#define IDB_ARROWS 130
/* The notification area's icon: control off, on, and waiting for a game's window. */
#define IDI_TRAY_OFF 140
#define IDI_TRAY_ON 141
#define IDI_TRAY_WAITING 142

#endif
