// bench_picture WIDTH HEIGHT BITS OUT.bmp: writes the benchmarks' picture as a bitmap file, so
// that scripts can time other tools on the very bytes the conversions are timed on.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchPicture.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_picture WIDTH HEIGHT 24|8|1 OUT.bmp\n");
        return 2;
    }
    const long width = std::strtol(argv[1], nullptr, 10);
    const long height = std::strtol(argv[2], nullptr, 10);
    const std::string bits = argv[3];
    if (width < 1 || height < 1 || width > 8192 || height > 8192 || (bits != "24" && bits != "8" && bits != "1")) {
        std::fprintf(stderr, "bench_picture: WIDTH and HEIGHT 1..8192, BITS 24, 8 or 1\n");
        return 2;
    }
    const auto bytes = bench::Picture(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                                      static_cast<unsigned>(std::stoi(bits)));
    std::FILE* file = std::fopen(argv[4], "wb");
    if (!file) {
        std::perror(argv[4]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "bench_picture: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
