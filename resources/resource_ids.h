/* Resource and command identifiers of Varnok 32. Plain #defines: this header
   is read by the resource compiler as well as by the C++ code. A command's
   identifier is also the identifier of its help text in the string table. */
#ifndef VARNOK_RESOURCE_IDS_H
#define VARNOK_RESOURCE_IDS_H

/* Commands (menu items, toolbar buttons, popup menu). */
#define IDM_OPEN_STATION_FILE 10
#define IDM_SAVE_STATION_FILE 11
#define IDM_ENTER_DATA_MANUALLY 12
#define IDM_SAVE_WINDOW_CONTENT 13
#define IDM_PRINT 15
#define IDM_SELECT_FONT 17
#define IDM_OPEN_FROM_DATABASE 18
#define IDM_EXIT 19
#define IDM_SHOW_DIAGRAM 21
#define IDM_SHOW_TABLE 22
#define IDM_MONOCHROME 23
#define IDM_COLOURS 24
#define IDM_AXIS_UP 25
#define IDM_AXIS_DOWN 26
#define IDM_MONTH_LABELS 27
#define IDM_CLIMATE_CLASS 28 /* one more line: the climate class and its name */
#define IDM_HIDE_STATION 29  /* the quiz: "?" for the station's name, country and position */
#define IDM_PRINT_SCALE_1 31
#define IDM_PRINT_SCALE_2 32
#define IDM_PRINT_SCALE_3 33
#define IDM_PRINT_SCALE_4 34
#define IDM_PRINT_SCALE_5 35
#define IDM_PRINT_SCALE_6 36
#define IDM_PRINT_SCALE_FIT 37 /* the largest scale that fits the printable area */
#define IDM_COPY_TO_CLIPBOARD 40
#define IDM_OPEN_FROM_MAP 41
#define IDM_CLIMATE_FACTS 42 /* the dialog CLIMATEFACTS */
#define IDM_ZOOM_100 61 /* the zoom of the diagram window: 100 %, 150 %, 200 %, 300 % */
#define IDM_ZOOM_150 62
#define IDM_ZOOM_200 63
#define IDM_ZOOM_300 64
#define IDM_ZOOM_FIT 65 /* the largest zoom at which the whole picture fits the window */
#define IDM_ABOUT 50

/* Child windows of the main window. */
#define TOOLBAR_ID 1000
#define STATUSBAR_ID 1002
#define DIAGRAM_WINDOW_ID 2000

/* Artwork. */
#define IDB_BACKGROUND 1000 /* 8 x 8 checkerboard, pattern of the main window */
#define IDI_VARNOK 3000     /* application icon */
#define IDB_TOOLBAR 4000    /* 15 images of 24 x 24 in one 360 x 24 strip */
/* The same strip at other sizes, for other DPIs: 15 images of N x N. */
#define IDB_TOOLBAR_16 4016
#define IDB_TOOLBAR_32 4032
#define IDB_TOOLBAR_36 4036
#define IDB_TOOLBAR_48 4048
#define IDB_MEMORIAL 5000   /* 268 x 189, the picture of the memorial dialog */

#endif
