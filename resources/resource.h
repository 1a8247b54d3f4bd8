// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDI_MAINICON 1

#define IDB_BANNER 100
#define IDB_ABOUT_PICTURE 101
#define IDB_WORKING_PICTURE 102

#define IDB_GLYPH_EXIT 110
#define IDB_GLYPH_EXIT_OFF 111
#define IDB_GLYPH_PLAY 112
#define IDB_GLYPH_PLAY_OFF 113
#define IDB_GLYPH_EDIT 114
#define IDB_GLYPH_EDIT_OFF 115
#define IDB_GLYPH_REMOVE 116
#define IDB_GLYPH_REMOVE_OFF 117
#define IDB_GLYPH_ABOUT 118
#define IDB_GLYPH_ABOUT_OFF 119
