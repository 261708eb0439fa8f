#pragma once
// The raster engine's one process-wide lock. It serialises creating,
// resizing and freeing pixel buffers, the glyph work squares and the font
// caches. It is recursive because rasterising a font, done under the lock,
// takes it again to fetch its work square.

#include <mutex>

std::recursive_mutex& RasterLock();
