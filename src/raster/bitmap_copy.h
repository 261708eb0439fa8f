#pragma once
// Block transfer: copies a rectangle of one bitmap's pixels onto another,
// as they are (no blending). The mini map copies its cached picture onto
// its bitmap this way, and the window shows a chart's finished bitmap.
//
// The block is cut to the source bitmap and to the target's clip box; what
// is left of it is copied, nothing else is touched. Grey pixels land on a
// 32-bit target as grey RGB; 32-bit pixels on a grey target as the mean of
// their three channels. Copying a bitmap onto itself with overlapping
// blocks gives the source's pixels as they were before the copy.

class RBitmapUtil;
class RBitmap;

// Copies the block of `width` x `height` pixels at (sourceX, sourceY) of
// `source` to (targetX, targetY) of `target`.
void CopyBitmapBlock(const RBitmapUtil& source, int sourceX, int sourceY, int width, int height,
                     RBitmapUtil& target, int targetX, int targetY);

// The whole of `source` with its top-left corner at (x, y) of `target`.
void CopyBitmap(const RBitmap& source, RBitmap& target, int x = 0, int y = 0);
