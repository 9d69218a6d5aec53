#pragma once
// Bitmap resources of the program, drawn by tools/make-art (the icon is IDR_MAINICON in ../resource.h).

#define IDB_LOGO 200          // 320x56, white background
#define IDB_PARTNERLOGO 201   // 90x44, white background
#define IDB_ABORT 202         // 160x60, white background
#define IDB_WIZARD 203        // 118x218: the update wizard's side picture
#define IDB_GLYPH_BENCH 210   // 24x24, magenta is transparent
#define IDB_GLYPH_FOLDER 211  // 16x16, magenta is transparent
#define IDB_GLYPH_OPEN 212    // 16x16, magenta is transparent
#define IDB_GLYPH_DEFAULT 213 // 16x16, magenta is transparent
#define IDB_GLYPH_FIND 214    // 16x16, magenta is transparent
#define IDB_GLYPH_IMPORT 215  // 16x16, magenta is transparent
#define IDB_GLYPH_CLOSE 216   // 12x12, magenta is transparent
#define IDB_SPECIFIC1 220     // 48x48 on button face grey: HDR
#define IDB_SPECIFIC2 221     // 48x48 on button face grey: geometry instancing
#define IDB_SPECIFIC3 222     // 48x48 on button face grey: normal-map compression
#define IDB_SPECIFIC4 223     // 48x48 on button face grey: shaders and graphics card
