#include "raster/raster_lock.h"

std::recursive_mutex& RasterLock()
{
    static std::recursive_mutex lock;
    return lock;
}
