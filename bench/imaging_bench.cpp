// Time per image of the logo conversions: monochrome (every method) and gray from 24- and 8-bit
// sources, the gray planes and the logo encodings. Each benchmark also runs on 256 x 192, on
// 2000 x 1500 (the widest error diffusion takes) and on an 8-pixel-wide strip with as many
// pixels as 256 x 768; equal pixel rates across the shapes show that no step costs more than a
// constant per pixel (nor a fixed amount per row).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "BenchPicture.h"
#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoImages.h"
#include "plugin/imaging/PackGrayPlanes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Source(std::int32_t width, std::int32_t height, unsigned bitCount) {
    return bench::Picture(width, height, bitCount);
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
