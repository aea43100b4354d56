#ifndef IPATHMODES_H
#define IPATHMODES_H

// Registers the pen (mode type 5), the eraser (3), the shape tool (9, 19, 20, 21, 24)
// and the figure tool (11 to 39) with the board's mode registry, and builds the text
// path mode with every board. Call once before the first board is built.
void registerPathModes();

#endif
