// The watermark preview's placement of the picture in the preview area.
#include "plugin/imaging/WatermarkPlacement.h"

#include <algorithm>
#include <cstdint>

namespace plugin {

namespace {

// The parts of the area outside `drawn`, as up to four bands: above, below, left and right.
std::vector<plat::Rect> RestOf(int width, int height, plat::Rect drawn) {
    drawn.left = std::clamp(drawn.left, 0, width);
    drawn.right = std::clamp(drawn.right, 0, width);
    drawn.top = std::clamp(drawn.top, 0, height);
    drawn.bottom = std::clamp(drawn.bottom, 0, height);
    if (drawn.left >= drawn.right || drawn.top >= drawn.bottom) return {{0, 0, width, height}};
    std::vector<plat::Rect> rest;
    if (drawn.top > 0) rest.push_back({0, 0, width, drawn.top});
    if (drawn.bottom < height) rest.push_back({0, drawn.bottom, width, height});
    if (drawn.left > 0) rest.push_back({0, drawn.top, drawn.left, drawn.bottom});
    if (drawn.right < width) rest.push_back({drawn.right, drawn.top, width, drawn.bottom});
    return rest;
}

// One column of tiles at x, `columnWidth` wide, showing `sourceWidth` of the picture's columns.
void TileColumn(WatermarkPlacement& out, int x, int columnWidth, int sourceWidth, int areaHeight,
                int copyHeight, int sourceHeight) {
    int y = 0;
    for (; y + copyHeight <= areaHeight; y += copyHeight)
        out.stretches.push_back({{0, 0, sourceWidth, sourceHeight}, {x, y, x + columnWidth, y + copyHeight}});
    const int rest = areaHeight - y;
    const int restSource = static_cast<int>(static_cast<std::int64_t>(sourceHeight) * rest / copyHeight);
    if (rest > 0 && restSource > 0)
        out.stretches.push_back({{0, 0, sourceWidth, restSource}, {x, y, x + columnWidth, areaHeight}});
    else if (rest > 0)
        out.whiteFills.push_back({x, y, x + columnWidth, areaHeight});
}

}  // namespace

WatermarkPlacement PlaceWatermark(int areaWidth, int areaHeight, int imageWidth, int imageHeight,
                                  int position, int sizePercent) {
    WatermarkPlacement out;
    const int W = std::max(areaWidth, 0), H = std::max(areaHeight, 0);
    if (W == 0 || H == 0) return out;
    const bool tiled = position == kWatermarkTiled;
    int s = std::clamp(sizePercent, 0, 100);
    if (tiled) s = std::max(s, kWatermarkTiledMinSize);
    if (imageWidth <= 0 || imageHeight <= 0 || s == 0 || position < 0 || position > kWatermarkTiled) {
        out.whiteFills.push_back({0, 0, W, H});
        return out;
    }

    const std::int64_t w = std::int64_t{s} * W / 100;
    std::int64_t hSource = std::int64_t{H} * imageWidth * 100 / (std::int64_t{s} * W);
    if (hSource > imageHeight) hSource = imageHeight;
    const std::int64_t h = std::min<std::int64_t>(std::int64_t{s} * hSource * W / (std::int64_t{imageWidth} * 100), H);
    if (w <= 0 || h <= 0 || hSource <= 0) {
        out.whiteFills.push_back({0, 0, W, H});
        return out;
    }
    const int copyWidth = static_cast<int>(w), copyHeight = static_cast<int>(h);
    const int sourceHeight = static_cast<int>(hSource);

    if (tiled) {
        const int whole = 100 / s;
        int x = 0;
        for (int column = 0; column < whole; ++column, x += copyWidth)
            TileColumn(out, x, copyWidth, imageWidth, H, copyHeight, sourceHeight);
        const int lastWidth = W - x;
        const int lastSource = static_cast<int>(std::int64_t{imageWidth} * lastWidth / copyWidth);
        if (lastWidth > 0 && lastSource > 0)
            TileColumn(out, x, lastWidth, lastSource, H, copyHeight, sourceHeight);
        else if (lastWidth > 0)
            out.whiteFills.push_back({x, 0, W, H});
        return out;
    }

    const int column = position % 3, row = position / 3;
    const int x = column == 0 ? 0 : column == 1 ? (W - copyWidth) / 2 : W - copyWidth;
    const int y = row == 0 ? 0 : row == 1 ? (H - copyHeight) / 2 : H - copyHeight;
    const int sourceTop = row == 0 ? 0 : row == 1 ? (imageHeight - sourceHeight) / 2 : imageHeight - sourceHeight;
    const plat::Rect target{x, y, x + copyWidth, y + copyHeight};
    out.stretches.push_back({{0, sourceTop, imageWidth, sourceTop + sourceHeight}, target});
    out.whiteFills = RestOf(W, H, target);
    return out;
}

}  // namespace plugin
