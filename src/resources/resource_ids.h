// Ids shared by the resource script and the code. Kept free of C++ so that
// windres can read it too.
#ifndef ORVEX_RESOURCE_IDS_H
#define ORVEX_RESOURCE_IDS_H

#define IDB_LIST_FONT 100     /* list image 0: a font family */
#define IDB_LIST_TRUETYPE 101 /* list image 1: a TrueType family */
#define IDB_TOOLBAR 102       /* 13 toolbar images of 16 x 16 */
#define IDC_SPLIT 111         /* the splitter cursor */

#define CM_EXIT 256
#define CM_OPEN 257
#define CM_OPEN_NAMED 258
#define CM_EXPORT_MARKED 259
#define CM_EXPORT_BITMAPS 260
#define CM_EXPORT_CURSORS 261
#define CM_EXPORT_ICONS 262
#define CM_RELOAD 263
#define CM_PRINT 272
#define CM_PRINT_PROPERTIES 274
#define CM_FOOTER 276
#define CM_COPY 277
#define CM_MARK_BYTES 278
#define CM_SHOW_MARKED 279
#define CM_FIND 288
#define CM_FIND_NEXT 289
#define CM_EXACT_CASE 290
#define CM_FIND_FORWARD 291
#define CM_HEX_SEARCH 292
#define CM_FIND_REVERSE 293
#define CM_GOTO 294
#define CM_SET_COLUMN 295
#define CM_CONVERSIONS 297
#define CM_VIEW_TEXT 304
#define CM_VIEW_HEX 305
#define CM_VIEW_CHAR 306
#define CM_VIEW_INTERP 307
#define CM_WRAP 308
#define CM_CONVERT 309
#define CM_ADDR_ZERO 310
#define CM_ADDR_PHYSICAL 311
#define CM_ADDR_RVA 312
#define CM_SELECT_FONT 315
#define CM_TEXT_COLOR 316
#define CM_BK_COLOR 317
#define CM_MARK_TEXT_COLOR 318
#define CM_MARK_BK_COLOR 319
#define CM_HELP 320
#define CM_ABOUT 321
#define CM_WEBSITE 322
#define CM_RECENT 336 /* 336 ... 345 */

#define ID_EDIT_FIRST 162  /* navigation dialogs: the (first) edit */
#define ID_EDIT_SECOND 163 /* the second edit: Last, Output */
#define ID_TO_HEX 164
#define ID_TO_DECIMAL 165
#define ID_DECIMAL 166
#define ID_HEX 167
#define ID_FIND_COMBO 750
#define ID_VIEW_WINDOW 777
#define ID_TOOLBAR 818
#define ID_STATUS_BAR 819

#endif
