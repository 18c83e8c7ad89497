// Time per image of the logo conversions: monochrome (every method) and gray from 24- and 8-bit
// sources, the gray planes and the logo encodings. Each benchmark also runs on 256 x 192, on
// 2000 x 1500 (the widest error diffusion takes) and on an 8-pixel-wide strip with as many
// pixels as 256 x 768; equal pixel rates across the shapes show that no step costs more than a
// constant per pixel (nor a fixed amount per row).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "common/bmp.h"
#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoImages.h"
#include "plugin/imaging/PackGrayPlanes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A picture with gradients and some noise, so that every method has work to do.
std::uint8_t Sample(std::int64_t x, std::int64_t y, int channel) {
    const std::uint32_t noise = static_cast<std::uint32_t>(x * 73856093 ^ y * 19349663 ^ channel * 83492791);
    return static_cast<std::uint8_t>((x * 255 / 1024 + y * 255 / 768 + (noise % 64)) / 2 + channel * 20);
}

Bytes Source(std::int32_t width, std::int32_t height, unsigned bitCount) {
    const std::size_t rowSize = static_cast<std::size_t>(common::BitmapRowSize(width, bitCount));
    const std::uint32_t offset = bitCount == 24 ? 54 : bitCount == 8 ? 1078 : 62;
    Bytes out;
    common::AppendBitmapFileHeader(
        out, {common::kBitmapSignature, static_cast<std::uint32_t>(offset + rowSize * height), 0, 0, offset});
    common::BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = static_cast<std::uint16_t>(bitCount);
    common::AppendBitmapInfoHeader(out, info);
    const int entries = bitCount == 24 ? 0 : 1 << bitCount;
    for (int i = 0; i < entries; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 255 / (entries - 1));
        common::AppendRgbQuad(out, {level, level, level, 0});
    }
    for (std::int32_t y = 0; y < height; ++y) {
        Bytes row(rowSize, 0);
        for (std::int32_t x = 0; x < width; ++x) {
            if (bitCount == 24) {
                for (int c = 0; c < 3; ++c) row[3 * x + c] = Sample(x, y, c);
            } else if (bitCount == 8) {
                row[x] = Sample(x, y, 0);
            } else if (Sample(x, y, 0) > 128) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void Shapes(benchmark::internal::Benchmark* b) {
    b->Args({1024, 768})->Args({256, 192})->Args({2000, 1500})->Args({8, 24576})->Unit(benchmark::kMillisecond);
}

void CountPixels(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void Monochrome(benchmark::State& state, unsigned bitCount, int method) {
    const Bytes source = Source(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)), bitCount);
    for (auto _ : state) {
        Bytes work;
        if (plugin::RenderMonochrome(source, method, 20, -10, work) != plugin::kMonochromeWritten)
            state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(work.data());
    }
    CountPixels(state);
}

void Gray(benchmark::State& state, unsigned bitCount) {
    const Bytes source = Source(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)), bitCount);
    const unsigned depths[] = {bitCount};
    for (auto _ : state) {
        Bytes work;
        if (plugin::RenderGray(source, depths, 20, -10, work) != plugin::kGrayWritten)
            state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(work.data());
    }
    CountPixels(state);
}

void PackGrayPlanes(benchmark::State& state) {
    const Bytes gray = Source(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)), 8);
    for (auto _ : state) {
        Bytes raster;
        std::uint16_t x = 0, y = 0;
        if (!plugin::PackGrayPlanes(gray, raster, x, y)) state.SkipWithError("packing failed");
        benchmark::DoNotOptimize(raster.data());
    }
    CountPixels(state);
}

void EncodeMonochromeLogo(benchmark::State& state) {
    const Bytes oneBit = Source(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)), 1);
    for (auto _ : state) {
        Bytes encoded;
        if (!plugin::EncodeMonochromeLogo(oneBit, encoded)) state.SkipWithError("encoding failed");
        benchmark::DoNotOptimize(encoded.data());
    }
    CountPixels(state);
}

BENCHMARK_CAPTURE(Monochrome, 24bit_None, 24, 0)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 24bit_DitherM3, 24, 1)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 24bit_DitherM4, 24, 2)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 24bit_ErrorDiffuse, 24, 3)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 8bit_None, 8, 0)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 8bit_DitherM3, 8, 1)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 8bit_DitherM4, 8, 2)->Apply(Shapes);
BENCHMARK_CAPTURE(Monochrome, 8bit_ErrorDiffuse, 8, 3)->Apply(Shapes);
BENCHMARK_CAPTURE(Gray, 24bit, 24)->Apply(Shapes);
BENCHMARK_CAPTURE(Gray, 8bit, 8)->Apply(Shapes);
BENCHMARK_CAPTURE(Gray, 1bit, 1)->Apply(Shapes);
BENCHMARK(PackGrayPlanes)->Apply(Shapes);
BENCHMARK(EncodeMonochromeLogo)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
