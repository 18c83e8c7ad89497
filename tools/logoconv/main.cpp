// logoconv: converts logo bitmaps and writes logo download jobs with the plug-in's own code.
#include <cstdio>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "host_files.h"
#include "logoconv_options.h"
#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoDownload.h"
#include "plugin/imaging/SourceBitmap.h"
#include "plugin/imaging/WorkFile.h"

namespace logoconv {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The logo page refuses larger pictures when they are added; so does the download here.
constexpr std::int32_t kMaxLogoWidth = 1024;
constexpr std::int32_t kMaxLogoHeight = 768;

int Fail(const std::string& message) {
    std::fprintf(stderr, "logoconv: %s\n", message.c_str());
    return kExitFailed;
}

std::string MonochromeFailure(int result, const std::string& source) {
    if (result == plugin::kMonochromeWorkFileFailed) return "cannot write the converted file for " + source;
    return source + " is not an uncompressed 24- or 8-bit bitmap that can be read whole";
}

std::string GrayFailure(int result, const std::string& source) {
    if (result == plugin::kGrayNotAccepted) return source + " is not an uncompressed 24-, 8- or 1-bit bitmap";
    if (result == plugin::kGrayWriteFailed) return "cannot write the converted file for " + source;
    return "cannot read " + source + " whole";
}

// The page's own calls write the work file next to the source; -o writes the same bytes elsewhere.
int Convert(HostFiles& files, const Options& options) {
    const Logo& logo = options.logos.front();
    const LogoSettings& s = logo.settings;
    std::string written;
    if (options.output.empty()) {
        const int result = options.gray
            ? plugin::ConvertToGray(files, logo.path, written, s.contrast, s.brightness)
            : plugin::ConvertToMonochrome(files, logo.path, written, s.method, s.contrast, s.brightness);
        if (result != 1) return Fail(options.gray ? GrayFailure(result, logo.path) : MonochromeFailure(result, logo.path));
    } else {
        std::vector<std::uint8_t> source, converted;
        if (!files.Read(logo.path, source)) return Fail("cannot read " + logo.path);
        static constexpr unsigned kGrayDepths[] = {24, 8, 1};
        const int result = options.gray
            ? plugin::RenderGray(source, kGrayDepths, s.contrast, s.brightness, converted)
            : plugin::RenderMonochrome(source, s.method, s.contrast, s.brightness, converted);
        if (result != 1) return Fail(options.gray ? GrayFailure(result, logo.path) : MonochromeFailure(result, logo.path));
        if (!files.Write(options.output, converted)) return Fail("cannot write " + options.output);
        written = options.output;
    }
    std::printf("%s\n", written.c_str());
    return kExitDone;
}

// Makes the work file a logo needs, as the page does when a logo is added or its settings change.
int PrepareLogo(HostFiles& files, const Logo& logo, bool gray) {
    std::vector<std::uint8_t> source;
    if (!files.Read(logo.path, source)) return Fail("cannot read " + logo.path);
    const auto info = common::ReadBitmapInfoHeader(source);
    if (info && (info->biWidth > kMaxLogoWidth || info->biHeight > kMaxLogoHeight))
        return Fail(logo.path + " is larger than a logo may be (1024 x 768)");
    const LogoSettings& s = logo.settings;
    std::string workPath;
    if (gray) {
        const int result = plugin::ConvertToGray(files, logo.path, workPath, s.contrast, s.brightness);
        return result == plugin::kGrayWritten ? kExitDone : Fail(GrayFailure(result, logo.path));
    }
    const unsigned depth = plugin::BitmapBitCount(source);
    if (depth == 1) return kExitDone;  // sent as it is
    if (depth != 24 && depth != 8) return Fail(logo.path + " is not a 1-, 8- or 24-bit bitmap");
    const int result = plugin::ConvertToMonochrome(files, logo.path, workPath, s.method, s.contrast, s.brightness);
    return result == plugin::kMonochromeWritten ? kExitDone : Fail(MonochromeFailure(result, logo.path));
}

int Download(HostFiles& files, const Options& options) {
    std::vector<std::string> paths;
    for (const Logo& logo : options.logos) {
        if (const int status = PrepareLogo(files, logo, options.gray); status != kExitDone) return status;
        paths.push_back(logo.path);
    }
    plugin::RawJob job;
    const auto type = options.gray ? plugin::LogoType::kGray : plugin::LogoType::kTransformation;
    switch (plugin::ComposeLogoDownload(files, paths, type, job)) {
        case plugin::LogoDownloadStatus::kReady: break;
        case plugin::LogoDownloadStatus::kTooLarge:
            return Fail("the logos' files add up to more than the printer's 98303 bytes of logo memory");
        case plugin::LogoDownloadStatus::kSizeUnknown: return Fail("cannot get the size of a logo");
        case plugin::LogoDownloadStatus::kUnusableLogo:
            return Fail("a logo is not a one-bit bitmap with a black and a white palette entry, or its "
                        "converted file is missing");
        default: return Fail("nothing to download");
    }
    const auto bytes = job.Bytes();
    if (!files.Write(options.output, bytes)) return Fail("cannot write " + options.output);
    std::printf("%s: %zu bytes, %zu logo(s)\n", options.output.c_str(), bytes.size(), paths.size());
    return kExitDone;
}

int Clear(HostFiles& files, const Options& options) {
    const auto bytes = plugin::ClearAllLogosJob().Bytes();
    if (!files.Write(options.output, bytes)) return Fail("cannot write " + options.output);
    std::printf("%s: %zu bytes\n", options.output.c_str(), bytes.size());
    return kExitDone;
}

}  // namespace
}  // namespace logoconv

int main(int argc, char** argv) {
    using namespace logoconv;
    Options options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "logoconv: %s\n\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    HostFiles files;
    switch (options.command) {
        case Command::kHelp: std::fputs(kUsage, stdout); return kExitDone;
        case Command::kConvert: return Convert(files, options);
        case Command::kDownload: return Download(files, options);
        case Command::kClear: return Clear(files, options);
    }
    return kExitUsage;
}
