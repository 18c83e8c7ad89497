// The host files logoconv reads: sources mapped rather than copied, with the same refusals as
// reading them, and a source shortened under a mapping ending the tool with a message.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tools/logoconv/host_files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class HostFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("logoconv-host-files-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Put(const std::string& name, const Bytes& bytes) const {
        const std::string path = (dir_ / name).string();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    fs::path dir_;
    logoconv::HostFiles files_;
};

// Bytes that differ from page to page, so that a view of the wrong place shows.
Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
    return bytes;
}

TEST_F(HostFilesTest, AViewHoldsTheWholeFileAsReadingGivesIt) {
    // One byte, a page and one more, and several pages with a part page at the end.
    for (std::size_t size : {std::size_t{1}, std::size_t{4097}, std::size_t{3 * 4096 + 123}}) {
        const Bytes content = Pattern(size);
        const std::string path = Put("f" + std::to_string(size), content);
        plugin::FileView view;
        ASSERT_TRUE(files_.View(path, view)) << size;
        Bytes read;
        ASSERT_TRUE(files_.Read(path, read)) << size;
        EXPECT_EQ(Bytes(view.bytes.begin(), view.bytes.end()), content) << size;
        EXPECT_EQ(read, content) << size;
    }
}

TEST_F(HostFilesTest, AViewOutlivesItsCopiesAndTheFilesName) {
    const Bytes content = Pattern(10000);
    const std::string path = Put("a.bmp", content);
    plugin::FileView kept;
    {
        plugin::FileView view;
        ASSERT_TRUE(files_.View(path, view));
        kept = view;
    }
    fs::remove(path);
    EXPECT_EQ(Bytes(kept.bytes.begin(), kept.bytes.end()), content);
}

TEST_F(HostFilesTest, AnEmptyFileIsAnEmptyView) {
    plugin::FileView view;
    ASSERT_TRUE(files_.View(Put("empty.bmp", {}), view));
    EXPECT_TRUE(view.bytes.empty());
}

TEST_F(HostFilesTest, WhatCannotBeReadCannotBeViewed) {
    const std::string fifo = (dir_ / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string large = Put("large.bmp", {});
    ASSERT_EQ(::truncate(large.c_str(), (64 << 20) + 1), 0);
    for (const std::string& path : {(dir_ / "missing.bmp").string(), dir_.string(), fifo, large}) {
        plugin::FileView view;
        Bytes read;
        EXPECT_FALSE(files_.View(path, view)) << path;
        EXPECT_FALSE(files_.Read(path, read)) << path;
    }
    // At the bound a file is viewed.
    ASSERT_EQ(::truncate(large.c_str(), 64 << 20), 0);
    plugin::FileView view;
    ASSERT_TRUE(files_.View(large, view));
    EXPECT_EQ(view.bytes.size(), std::size_t{64} << 20);
}

TEST_F(HostFilesTest, ASourceShortenedUnderItsViewEndsTheToolWithAMessage) {
    const std::string path = Put("a.bmp", Pattern(3 * 4096));
    EXPECT_EXIT(
        {
            logoconv::ExitWhenASourceShrinks();
            plugin::FileView view;
            if (!files_.View(path, view)) ::_exit(3);
            if (::truncate(path.c_str(), 0) != 0) ::_exit(4);
            volatile std::uint8_t last = view.bytes.back();  // past the file's new end
            (void)last;
            ::_exit(5);
        },
        ::testing::ExitedWithCode(1), "a source file was shortened while it was being converted");
}

}  // namespace
