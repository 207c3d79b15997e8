#pragma once
// The frame of a skinned window at any size, built from a small picture without stretching: the
// picture's four quadrants become the corners, 25-pixel strips next to its centre lines are tiled
// along the edges, and the middle is one flat colour taken from the picture at (20, 50).

#include <QImage>

class TSkinPicture;
class TZYBitmap;

// Renders into skin at width x height. A picture of width 0 leaves the skin empty. Tiles are not
// clipped: the last one of an edge may cover part of the corners after it, and when the window is
// smaller than the picture the corners overlap, later ones over earlier ones.
void RenderSkin(const QImage& picture, int width, int height, TZYBitmap& skin);
// A JPEG picture is decoded for this rendering, and its errors (std::runtime_error) leave the
// skin as it was.
void RenderSkin(const TSkinPicture& picture, int width, int height, TZYBitmap& skin);
