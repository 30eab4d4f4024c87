/* Numbers of the program's resources, shared by tamrivo.rc and the C++ code: plain defines
   only, since the resource compiler reads this file too. */
#ifndef TAMRIVO_RESOURCE_IDS_H
#define TAMRIVO_RESOURCE_IDS_H

/* tamrivo.ico, the program file's icon (a pig's face). The lowest icon number, so it is the
   one the file manager shows for the executable. */
#define IDI_PROGRAM 1

/* Icon files kept as raw bytes, for code that builds icons from icon-file bytes. */
#define IDR_MAIN_WINDOW_ICON 101 /* main_window.ico: the pinwheel of the main window */
#define IDR_TRAY_ICON 102        /* tray.ico: the 2238-byte padlock of the notification area */

#endif
