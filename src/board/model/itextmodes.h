#ifndef ITEXTMODES_H
#define ITEXTMODES_H

// Registers the select mode (mode type 1) and the text mode (2) with the board's mode
// registry, and the text frame as every page's scene frame. Call once before the first
// board is built.
void registerTextModes();

#endif
