#pragma once
// Identifiers of the program's pictures.

#define IDB_LOGO 200
#define IDB_PARTNERLOGO 201
#define IDB_ABORT 202
#define IDB_GLYPH_BENCH 210
#define IDB_GLYPH_FOLDER 211
#define IDB_GLYPH_OPEN 212
#define IDB_GLYPH_DEFAULT 213
#define IDB_GLYPH_FIND 214
#define IDB_GLYPH_IMPORT 215
#define IDB_SPECIFIC1 220
#define IDB_SPECIFIC2 221
#define IDB_SPECIFIC3 222
#define IDB_SPECIFIC4 223
