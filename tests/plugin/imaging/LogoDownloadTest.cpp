// "Download all" and "Clear All Logos": the exact writes, the size check, and what happens with
// unusable logos and a failing spooler.
#include <gtest/gtest.h>

#include "platform/win_constants.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoDownload.h"
#include "plugin/imaging/LogoImages.h"
#include "plugin/imaging/WorkFile.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;
using plugin::LogoDownloadStatus;
using plugin::LogoType;

const Bytes kEnter{0x1B, 0x63, 0x3B, 0x01};
const Bytes kLeave{0x1B, 0x63, 0x3B, 0x00};

// A spooler that records the calls of one job and can fail one call.
class RecordingSpooler : public plat::RawPrinting, public plat::LastError {
public:
    std::vector<std::string> calls;
    plat::DocInfo1 document;
    std::vector<Bytes> writes;
    int failWriteNumber = 0;  // 1-based; 0 never

    bool OpenPrinterW(const std::u16string&, plat::PrinterHandle& out) override { out = 1; return true; }
    bool ClosePrinter(plat::PrinterHandle) override { return true; }
    std::uint32_t StartDocPrinterW(plat::PrinterHandle, const plat::DocInfo1& doc) override {
        calls.push_back("StartDoc");
        document = doc;
        return 7;
    }
    bool StartPagePrinter(plat::PrinterHandle) override { calls.push_back("StartPage"); return true; }
    bool WritePrinter(plat::PrinterHandle, const void* data, std::uint32_t size, std::uint32_t& written) override {
        calls.push_back("Write");
        if (static_cast<int>(writes.size()) + 1 == failWriteNumber) {
            error_ = ERROR_WRITE_FAULT;
            written = 0;
            return false;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        writes.emplace_back(bytes, bytes + size);
        written = size;
        return true;
    }
    bool EndPagePrinter(plat::PrinterHandle) override { calls.push_back("EndPage"); return true; }
    bool EndDocPrinter(plat::PrinterHandle) override { calls.push_back("EndDoc"); return true; }
    std::uint32_t GetLastError() override { return error_; }
    void SetLastError(std::uint32_t code) override { error_ = code; }

private:
    std::uint32_t error_ = 0;
};

// A 1-bit black-then-white logo of `width` x `height`, padded with trailing bytes to `fileSize`
// when that is larger (the size check counts file sizes).
Bytes OneBitLogo(int width, int height, std::size_t fileSize = 0) {
    Bytes file = Bitmap1(std::vector<std::vector<int>>(height, std::vector<int>(width, 1)), kBlack, kWhite);
    if (file.size() < fileSize) file.resize(fileSize, 0);
    return file;
}

Bytes Encoded(const Bytes& oneBit) {
    Bytes out;
    EXPECT_TRUE(plugin::EncodeMonochromeLogo(oneBit, out));
    return out;
}

TEST(LogoDownload, TransformationSendsFsQWithEachMonochromeImageInListOrder) {
    MemoryFiles files;
    files.files["C:\\a.bmp"] = OneBitLogo(20, 10);  // a 1-bit source is sent as it is
    files.files["C:\\b.bmp"] = Uniform24(8, 8, {0, 0, 0});
    std::string work;
    ASSERT_EQ(plugin::ConvertToMonochrome(files, "C:\\b.bmp", work, 0, 0, 0), 1);  // its work file is sent
    plugin::RawJob job;
    ASSERT_EQ(plugin::ComposeLogoDownload(files, {"C:\\a.bmp", "C:\\b.bmp"}, LogoType::kTransformation, job),
              LogoDownloadStatus::kReady);
    EXPECT_EQ(job.documentName, u"LOGO");
    ASSERT_EQ(job.writes.size(), 6u);
    EXPECT_EQ(job.writes[0], kEnter);
    EXPECT_EQ(job.writes[1], (Bytes{0x1C, 0x71, 0x02}));
    EXPECT_EQ(job.writes[2], Encoded(files.files.at("C:\\a.bmp")));
    EXPECT_EQ(job.writes[3], Encoded(files.files.at("C:\\bTemp.bmp")));
    EXPECT_EQ(job.writes[4], Bytes{0x0A});
    EXPECT_EQ(job.writes[5], kLeave);
    // The 20 x 10 logo: x 4, y 2 and 64 bytes of data.
    EXPECT_EQ((Bytes(job.writes[2].begin(), job.writes[2].begin() + 4)), (Bytes{4, 0, 2, 0}));
    EXPECT_EQ(job.writes[2].size(), 68u);
    // The all-black 8 x 8 picture has no pixel above its mean: every dot printed in the 8 picture
    // columns (one band), none in the 24 padding columns.
    Bytes black{4, 0, 1, 0};
    black.resize(4 + 8, 0xFF);
    black.resize(4 + 32, 0x00);
    EXPECT_EQ(job.writes[3], black);
}

TEST(LogoDownload, GraySendsFsRWithEachPackedWorkFile) {
    MemoryFiles files;
    files.files["C:\\g.bmp"] = Uniform24(2, 1, {0, 0, 0});
    files.files["C:\\gTemp.bmp"] = Bitmap8({{0x00, 0xFF}});
    plugin::RawJob job;
    ASSERT_EQ(plugin::ComposeLogoDownload(files, {"C:\\g.bmp"}, LogoType::kGray, job), LogoDownloadStatus::kReady);
    EXPECT_EQ(job.documentName, u"LOGO");
    EXPECT_EQ(job.Bytes(), (Bytes{0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x72, 0x01,
                                  0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x80, 0x80, 0x80, 0x80, 0, 0, 0, 0,
                                  0x0A, 0x1B, 0x63, 0x3B, 0x00}));
}

TEST(LogoDownload, SizesMayAddUpTo98303Bytes) {
    struct Case {
        std::size_t second;
        LogoDownloadStatus expected;
    };
    for (const Case& c : {Case{48303, LogoDownloadStatus::kReady}, Case{48304, LogoDownloadStatus::kTooLarge}}) {
        MemoryFiles files;
        files.files["C:\\a.bmp"] = OneBitLogo(16, 16, 50000);
        files.files["C:\\b.bmp"] = OneBitLogo(16, 16, c.second);
        plugin::RawJob job;
        EXPECT_EQ(plugin::ComposeLogoDownload(files, {"C:\\a.bmp", "C:\\b.bmp"}, LogoType::kTransformation, job),
                  c.expected)
            << c.second;
        EXPECT_EQ(job.writes.empty(), c.expected != LogoDownloadStatus::kReady);
    }
}

TEST(LogoDownload, WorkFileSizeCountsInsteadOfTheSources) {
    MemoryFiles files;
    files.files["C:\\big.bmp"] = Uniform24(200, 160, {9, 9, 9});  // 96054 bytes
    files.files["C:\\other.bmp"] = OneBitLogo(16, 16, 5000);
    plugin::RawJob job;
    EXPECT_EQ(plugin::ComposeLogoDownload(files, {"C:\\big.bmp", "C:\\other.bmp"}, LogoType::kTransformation, job),
              LogoDownloadStatus::kTooLarge);
    std::string work;
    ASSERT_EQ(plugin::ConvertToMonochrome(files, "C:\\big.bmp", work, 0, 0, 0), 1);  // 28-byte rows: 4542 bytes
    EXPECT_EQ(plugin::ComposeLogoDownload(files, {"C:\\big.bmp", "C:\\other.bmp"}, LogoType::kTransformation, job),
              LogoDownloadStatus::kReady);
}

TEST(LogoDownload, RefusalsComposeNoJob) {
    MemoryFiles files;
    files.files["C:\\mono.bmp"] = OneBitLogo(8, 8);
    files.files["C:\\grays.bmp"] = Bitmap1({{1}}, {0x40, 0x40, 0x40, 0}, {0x80, 0x80, 0x80, 0});
    files.files["C:\\rgb.bmp"] = Uniform24(8, 8, {1, 2, 3});  // never converted: no work file
    struct Case {
        const char* what;
        std::vector<std::string> logos;
        LogoType type;
        LogoDownloadStatus expected;
    };
    const Case cases[] = {
        {"no logos", {}, LogoType::kTransformation, LogoDownloadStatus::kNoLogos},
        {"ten logos (nine are allowed)", std::vector<std::string>(10, "C:\\mono.bmp"), LogoType::kTransformation,
         LogoDownloadStatus::kTooManyLogos},
        {"type Original", {"C:\\mono.bmp"}, LogoType::kOriginal, LogoDownloadStatus::kNotDownloadable},
        {"missing file", {"C:\\mono.bmp", "C:\\gone.bmp"}, LogoType::kTransformation,
         LogoDownloadStatus::kSizeUnknown},
        {"palette of two grays", {"C:\\mono.bmp", "C:\\grays.bmp"}, LogoType::kTransformation,
         LogoDownloadStatus::kUnusableLogo},
        {"24-bit source without work file", {"C:\\rgb.bmp"}, LogoType::kTransformation,
         LogoDownloadStatus::kUnusableLogo},
        {"gray without work file", {"C:\\mono.bmp"}, LogoType::kGray, LogoDownloadStatus::kUnusableLogo},
    };
    for (const Case& c : cases) {
        plugin::RawJob job;
        EXPECT_EQ(plugin::ComposeLogoDownload(files, c.logos, c.type, job), c.expected) << c.what;
        EXPECT_TRUE(job.writes.empty()) << c.what;
    }
}

TEST(ClearAllLogos, IsTheSelfTestDocumentWithFsQZero) {
    const plugin::RawJob job = plugin::ClearAllLogosJob();
    EXPECT_EQ(job.documentName, u"SELFTEST");
    EXPECT_EQ(job.writes, (std::vector<Bytes>{kEnter, {0x1C, 0x71, 0x00, 0x00, 0x0A}, kLeave}));
}

TEST(DownloadAllLogos, SendsTheComposedJobAsARawDocument) {
    MemoryFiles files;
    files.files["C:\\m.bmp"] = OneBitLogo(8, 8);
    RecordingSpooler spooler;
    // Nine logos, the most the printer stores.
    EXPECT_EQ(plugin::DownloadAllLogos(files, spooler, spooler, 1, std::vector<std::string>(9, "C:\\m.bmp"),
                                       LogoType::kTransformation),
              LogoDownloadStatus::kReady);
    EXPECT_EQ(spooler.document.documentName, u"LOGO");
    EXPECT_EQ(spooler.document.dataType, u"RAW");
    EXPECT_EQ(spooler.document.outputFile, u"");
    ASSERT_EQ(spooler.writes.size(), 13u);
    EXPECT_EQ(spooler.writes[1], (Bytes{0x1C, 0x71, 0x09}));
    EXPECT_EQ(spooler.calls.front(), "StartDoc");
    EXPECT_EQ(spooler.calls.back(), "EndDoc");
}

TEST(DownloadAllLogos, UnusableLogoOpensNoDocument) {
    MemoryFiles files;
    files.files["C:\\m.bmp"] = OneBitLogo(8, 8);
    files.files["C:\\grays.bmp"] = Bitmap1({{1}}, {0x40, 0x40, 0x40, 0}, {0x80, 0x80, 0x80, 0});
    RecordingSpooler spooler;
    EXPECT_EQ(plugin::DownloadAllLogos(files, spooler, spooler, 1, {"C:\\m.bmp", "C:\\grays.bmp"},
                                       LogoType::kTransformation),
              LogoDownloadStatus::kUnusableLogo);
    EXPECT_TRUE(spooler.calls.empty());
}

TEST(DownloadAllLogos, FailingWriteEndsThePageAndTheDocumentQuietly) {
    MemoryFiles files;
    files.files["C:\\m.bmp"] = OneBitLogo(8, 8);
    RecordingSpooler spooler;
    spooler.failWriteNumber = 2;
    EXPECT_EQ(plugin::DownloadAllLogos(files, spooler, spooler, 1, {"C:\\m.bmp"}, LogoType::kTransformation),
              LogoDownloadStatus::kReady);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"StartDoc", "StartPage", "Write", "Write", "EndPage", "EndDoc"}));
}

}  // namespace
