#pragma once
// Mouse pointers the system does not offer by name.

#include <windows.h>

// The drag pointer: the arrow with a small sheet below its tip. Made once, kept for the
// process.
HCURSOR DragCursor();
