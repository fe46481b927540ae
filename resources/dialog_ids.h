/* Control identifiers of the dialogs GETSTATION, GETMANUALDATA, STATIONMAP
   and the memorial. Plain #defines: the resource compiler reads this header
   as well as the C++ code, the manual entry logic and the end-to-end tests. */
#ifndef VARNOK_DIALOG_IDS_H
#define VARNOK_DIALOG_IDS_H

/* GETSTATION: the station search. */
#define IDC_COUNTRY_LIST 186
#define IDC_STATION_LIST 200
#define IDC_FILL_PROGRESS 201
#define IDC_STATION_NUMBER 1026
#define IDC_SEARCH 1027
#define IDC_STATIONS_AVAILABLE 1033
#define IDC_COUNTRIES 1034

/* GETMANUALDATA: the manual data entry. Month column i (0..11) holds
   slot i + 1: edit IDC_PRECIP_MONTH + i and IDC_TEMP_MONTH + i, check boxes
   IDC_FROST_BAR + i and IDC_FROST_OUTLINE + i, heads IDC_PRECIP_HEAD + i and
   IDC_TEMP_HEAD + i. */
#define IDC_PRECIP_YEARS 100
#define IDC_PRECIP_MONTH 101
#define IDC_TEMP_YEARS 113
#define IDC_TEMP_MONTH 114
#define IDC_ABS_MAX 130
#define IDC_ABS_MIN 131
#define IDC_WARMEST_MAX 132
#define IDC_COLDEST_MIN 133
#define IDC_FROST_BAR 140
#define IDC_FROST_OUTLINE 160
#define IDC_STATION_NAME 180
#define IDC_ELEVATION 181
#define IDC_LATITUDE 182
#define IDC_LONGITUDE 183
#define IDC_COUNTRY_NAME 184
#define IDC_COUNTRY_CODE 185
#define IDC_EAST 190
#define IDC_WEST 191
#define IDC_SHOW_ABS_MIN 192
#define IDC_SHOW_ABS_MAX 193
#define IDC_SHOW_COLDEST_MIN 194
#define IDC_SHOW_WARMEST_MAX 195
#define IDC_NORTH 196
#define IDC_SOUTH 197
#define IDC_PRECIP_HEAD 1001
#define IDC_STATION_NUMBER_TEXT 1032
#define IDC_TEMP_HEAD 1101

/* STATIONMAP: the station map. */
#define IDC_MAP_VIEW 1201
#define IDC_MAP_STATUS 1202

/* The memorial dialog "FAREWELL". */
#define IDC_FAREWELL 1028

/* CLIMATEFACTS: the climate facts of the station. */
#define IDC_FACTS_TEXT 1211
#define IDC_FACTS_COPY 1212

#endif
