// Where the watermark preview draws the watermark picture inside the preview area: the picture's
// parts stretched onto the area, and the white rest.
#pragma once
#include <vector>

#include "platform/dialog.h"

namespace plugin {

inline constexpr int kWatermarkTiled = 9;        // the position "Tiled"
inline constexpr int kWatermarkTiledMinSize = 20;  // percent: smaller tiles are not offered

// One stretch: the part `source` of the picture (counted from its top-left corner) onto
// `target` of the area (counted from the area's top-left corner).
struct WatermarkStretch {
    plat::Rect source;
    plat::Rect target;
};

struct WatermarkPlacement {
    std::vector<WatermarkStretch> stretches;
    std::vector<plat::Rect> whiteFills;  // the parts of the area no stretch covers
};

// The placement of a picture of imageWidth x imageHeight in an area of areaWidth x areaHeight at
// `position` (0..8: left, centre, right by column and top, middle, bottom by row; 9 "Tiled")
// and `sizePercent` of the area's width (at least 20 when tiled, at most 100).
//
// A copy is w = s x W / 100 wide. The source rows it shows are as many as fit the area's height
// at that scale, h_src = H x imageWidth x 100 / (s x W), or the whole picture when fewer (or
// when s is 0); it is drawn h = s x h_src x W / (imageWidth x 100) high, at most H. A placed copy
// takes its rows from the top, middle or bottom of the picture by its row. Tiles fill the area
// in columns of width w, each made of whole copies and a last copy cut at the area's bottom; the
// last column, narrower, shows the same share of the picture's width. Integer arithmetic
// throughout, as the printed result is reproduced from these numbers.
WatermarkPlacement PlaceWatermark(int areaWidth, int areaHeight, int imageWidth, int imageHeight,
                                  int position, int sizePercent);

}  // namespace plugin
