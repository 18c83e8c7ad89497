// logoconv end to end: the built tool run on host files, its results compared with the plug-in's
// own conversions and jobs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoDownload.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;
namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

class Logoconv : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("logoconv-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    void Put(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(Path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Bytes Get(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        EXPECT_TRUE(in) << name;
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return fs::exists(Path(name)); }

    ToolRun RunTool(const std::string& args) const {
        ToolRun run;
        // The timeout turns a tool that waits forever into a failed test.
        const std::string command =
            "cd '" + dir_.string() + "' && timeout 60 '" LOGOCONV_PATH "' " + args + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) return run;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
        const int status = ::pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    fs::path dir_;
};

// A small picture with enough variety for every method to differ.
Bytes Gradient24() {
    std::vector<std::vector<Bgr>> rows;
    for (int y = 0; y < 12; ++y) {
        std::vector<Bgr> row;
        for (int x = 0; x < 21; ++x)
            row.push_back({static_cast<std::uint8_t>(x * 12), static_cast<std::uint8_t>(y * 20),
                           static_cast<std::uint8_t>((x * y) % 256)});
        rows.push_back(row);
    }
    return Bitmap24(rows);
}

TEST_F(Logoconv, HelpDescribesEveryCommand) {
    const ToolRun run = RunTool("--help");
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"convert", "download", "clear", "--method", "--contrast", "--brightness", "--gray",
                             "Temp.bmp", "98303"})
        EXPECT_NE(run.output.find(word), std::string::npos) << word;
}

TEST_F(Logoconv, ConvertWritesTheWorkFileThePageWouldWrite) {
    Put("shop.bmp", Gradient24());
    const ToolRun run = RunTool("convert --method diffuse --contrast 30 --brightness -10 shop.bmp");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    Bytes expected;
    ASSERT_EQ(plugin::RenderMonochrome(Gradient24(), 3, 30, -10, expected), 1);
    EXPECT_EQ(Get("shopTemp.bmp"), expected);
    EXPECT_NE(run.output.find("shopTemp.bmp"), std::string::npos);
}

TEST_F(Logoconv, ConvertGrayToAnOutputFile) {
    const Bytes source = Bitmap1({{1, 0, 1}, {0, 1, 0}}, kWhite, kBlack);
    Put("mark.bmp", source);
    const ToolRun run = RunTool("convert --gray --contrast -50 -o gray.bmp mark.bmp");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    static constexpr unsigned kAll[] = {24, 8, 1};
    Bytes expected;
    ASSERT_EQ(plugin::RenderGray(source, kAll, -50, 0, expected), 1);
    EXPECT_EQ(Get("gray.bmp"), expected);
    EXPECT_FALSE(Exists("markTemp.bmp"));
}

TEST_F(Logoconv, ConvertRefusesAOneBitSourceForMonochrome) {
    Put("mono.bmp", Bitmap1({{1}}, kBlack, kWhite));
    const ToolRun run = RunTool("convert mono.bmp");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(Exists("monoTemp.bmp"));
}

TEST_F(Logoconv, DownloadWritesTheJobBytesWithEachLogosOwnSettings) {
    Put("a.bmp", Gradient24());
    Put("b.bmp", Bitmap8({{0, 50, 100, 150, 200, 250}, {250, 200, 150, 100, 50, 0}}));
    Put("c.bmp", Bitmap1({{1, 0, 1, 1}}, kBlack, kWhite));
    const ToolRun run = RunTool("download -o job.bin --method m4 --contrast 20 a.bmp --method m3 b.bmp c.bmp");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    // The same job from the plug-in's code, with the work files made as the page makes them.
    MemoryFiles files;
    files.files["a.bmp"] = Gradient24();
    files.files["b.bmp"] = Get("b.bmp");
    files.files["c.bmp"] = Get("c.bmp");
    std::string work;
    ASSERT_EQ(plugin::ConvertToMonochrome(files, "a.bmp", work, 2, 20, 0), 1);
    ASSERT_EQ(plugin::ConvertToMonochrome(files, "b.bmp", work, 1, 20, 0), 1);
    plugin::RawJob job;
    ASSERT_EQ(plugin::ComposeLogoDownload(files, {"a.bmp", "b.bmp", "c.bmp"}, plugin::LogoType::kTransformation, job),
              plugin::LogoDownloadStatus::kReady);
    const Bytes sent = Get("job.bin");
    EXPECT_EQ(sent, job.Bytes());
    EXPECT_EQ((Bytes(sent.begin(), sent.begin() + 7)), (Bytes{0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x71, 0x03}));
    EXPECT_EQ((Bytes(sent.end() - 5, sent.end())), (Bytes{0x0A, 0x1B, 0x63, 0x3B, 0x00}));
    // The previews are left beside the converted sources, not beside the one-bit one.
    EXPECT_EQ(Get("aTemp.bmp"), files.files.at("aTemp.bmp"));
    EXPECT_FALSE(Exists("cTemp.bmp"));
}

TEST_F(Logoconv, DownloadGray) {
    Put("g.bmp", Bitmap8({{0x00, 0xFF}}));
    const ToolRun run = RunTool("download --gray -o job.bin g.bmp");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Get("job.bin"), (Bytes{0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x72, 0x01,
                                     0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x80, 0x80, 0x80, 0x80, 0, 0, 0, 0,
                                     0x0A, 0x1B, 0x63, 0x3B, 0x00}));
}

TEST_F(Logoconv, DownloadRefusalsWriteNoJob) {
    Put("big.bmp", Uniform24(1025, 2, {0, 0, 0}));
    Put("huge.bmp", Uniform8(320, 320, 0));  // its 1-bit work file is small, its source not
    Put("grays.bmp", Bitmap1({{1}}, {0x40, 0x40, 0x40, 0}, {0x80, 0x80, 0x80, 0}));
    Put("heavy.bmp", Uniform24(200, 165, {1, 1, 1}));  // 99054 bytes, work file 4682
    Put("heavy1.bmp", Bitmap1(std::vector<std::vector<int>>(768, std::vector<int>(1024, 0)), kBlack, kWhite));
    for (const char* args : {"download -o job.bin big.bmp", "download -o job.bin grays.bmp",
                             "download -o job.bin heavy1.bmp heavy1.bmp", "download -o job.bin missing.bmp"}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args << "\n" << run.output;
        EXPECT_FALSE(Exists("job.bin")) << args;
    }
    // A large 24-bit source counts with its small work file.
    EXPECT_EQ(RunTool("download -o job.bin heavy.bmp huge.bmp").exitCode, 0);
}

TEST_F(Logoconv, ClearWritesTheClearAllLogosJob) {
    const ToolRun run = RunTool("clear -o clear.bin");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Get("clear.bin"), plugin::ClearAllLogosJob().Bytes());
}

TEST_F(Logoconv, UsageErrorsExitWithTwo) {
    Put("a.bmp", Gradient24());
    for (const char* args : {"", "print a.bmp", "convert", "convert a.bmp a.bmp", "convert --contrast 101 a.bmp",
                             "convert --brightness -101 a.bmp", "convert --contrast 1x a.bmp",
                             "convert --method m5 a.bmp", "convert --frobnicate a.bmp", "download a.bmp",
                             "download -o job.bin", "clear", "clear -o x.bin a.bmp", "convert a.bmp --method",
                             "download -o j.bin a.bmp a.bmp a.bmp a.bmp a.bmp a.bmp a.bmp a.bmp a.bmp a.bmp"}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << "'" << args << "'\n" << run.output;
        EXPECT_NE(run.output.find("Usage:"), std::string::npos) << args;
    }
    EXPECT_FALSE(Exists("aTemp.bmp"));
}

// Sources: regular files within the size bound only, each refusal with its reason, and nothing
// written when any source is refused.
TEST_F(Logoconv, SourcesThatAreNoRegularFilesAreRefusedWithTheirReason) {
    Put("a.bmp", Gradient24());
    fs::create_directories(Path("folder"));
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    struct Case {
        const char* args;
        const char* message;
    } const cases[] = {
        {"convert folder", "logoconv: folder is a directory, not a bitmap file\n"},
        {"convert -o x.bmp folder", "folder is a directory"},
        {"download -o j.bin folder", "folder is a directory"},
        {"download -o j.bin a.bmp folder", "folder is a directory"},
        {"convert /dev/zero -o x.bmp", "/dev/zero is a device, FIFO or socket, not a bitmap file"},
        {"convert pipe -o x.bmp", "pipe is a device, FIFO or socket"},
        {"convert /nonexistent.bmp", "logoconv: cannot read /nonexistent.bmp: No such file or directory\n"},
        {"download -o j.bin a.bmp missing.bmp", "cannot read missing.bmp"},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args << "\n" << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.args << "\n" << run.output;
        for (const char* written : {"x.bmp", "j.bin", "aTemp.bmp", "folderTemp.bmp"})
            EXPECT_FALSE(Exists(written)) << c.args << " wrote " << written;
    }
}

TEST_F(Logoconv, SourcesAreReadUpTo64MiB) {
    // Sparse files: the bound is checked before anything is read.
    for (const auto& [name, size] : {std::pair{"limit.bmp", 64 << 20}, {"over.bmp", (64 << 20) + 1}}) {
        Put(name, {});
        ASSERT_EQ(::truncate(Path(name).c_str(), size), 0) << name;
    }
    const ToolRun over = RunTool("convert -o x.bmp over.bmp");
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_NE(over.output.find("over.bmp is larger than 64 MiB"), std::string::npos) << over.output;
    // At the bound the file is read, and refused only as no bitmap.
    const ToolRun limit = RunTool("convert -o x.bmp limit.bmp");
    EXPECT_EQ(limit.exitCode, 1);
    EXPECT_NE(limit.output.find("limit.bmp is not an uncompressed"), std::string::npos) << limit.output;
}

TEST_F(Logoconv, AnOutputThatIsASourceIsRefusedWhateverItsName) {
    const Bytes logo = Bitmap1({{1, 0, 1, 1}}, kBlack, kWhite);
    Put("logo.bmp", logo);
    ASSERT_EQ(::link(Path("logo.bmp").c_str(), Path("same.bmp").c_str()), 0);
    const std::string absolute = "-o '" + Path("logo.bmp") + "' ";
    for (const std::string& args : std::vector<std::string>{
             "download -o logo.bmp logo.bmp", "download -o ./logo.bmp logo.bmp",
          "download -o same.bmp logo.bmp", "download " + absolute + "same.bmp",
          "convert --gray -o logo.bmp logo.bmp"}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args << "\n" << run.output;
        EXPECT_NE(run.output.find("is the source"), std::string::npos) << args << "\n" << run.output;
        EXPECT_EQ(Get("logo.bmp"), logo) << args;
    }
}

TEST_F(Logoconv, AWorkFileThatIsASourceIsRefused) {
    Put("a.bmp", Gradient24());
    const Bytes other = Bitmap1({{1, 0}}, kBlack, kWhite);
    Put("aTemp.bmp", other);
    // Converting a.bmp would write aTemp.bmp, another logo of the same download.
    ToolRun run = RunTool("download -o j.bin a.bmp aTemp.bmp");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("the work file aTemp.bmp of a.bmp is the source aTemp.bmp"),
              std::string::npos) << run.output;
    EXPECT_EQ(Get("aTemp.bmp"), other);
    EXPECT_FALSE(Exists("j.bin"));

    // A work file that is a link back to its own source.
    Put("b.bmp", Gradient24());
    ASSERT_EQ(::symlink("b.bmp", Path("bTemp.bmp").c_str()), 0);
    run = RunTool("convert b.bmp");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(Get("b.bmp"), Gradient24());

    // A one-bit logo is sent as it is and writes no work file: its namesake may be a logo too.
    Put("c.bmp", Bitmap1({{1, 1, 0}}, kBlack, kWhite));
    Put("cTemp.bmp", other);
    run = RunTool("download -o j.bin c.bmp cTemp.bmp");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Get("cTemp.bmp"), other);
}

}  // namespace
