// logoconv: converts logo bitmaps and writes logo download jobs with the plug-in's own code.
#include <cstdio>
#include <exception>
#include <new>
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

// The sources as examined before anything is written; each one is a readable regular file.
using Sources = std::vector<SourceCheck>;

// Examines every source; an empty text when all can be read, else what is wrong with the first
// that cannot.
std::string CheckSources(const Options& options, Sources& sources) {
    for (const Logo& logo : options.logos) {
        SourceCheck check = CheckSource(logo.path);
        if (check.state != SourceState::kReadable) return DescribeUnreadable(logo.path, check);
        sources.push_back(check);
    }
    return {};
}

// A file about to be written must not be one of the sources, however its path is spelled.
// `what` names the file for the message ("the output x.bmp").
std::string CheckNotASource(const std::string& target, const std::string& what,
                            const Options& options, const Sources& sources) {
    for (std::size_t i = 0; i < sources.size(); ++i)
        if (IsSameFile(target, sources[i]))
            return what + " is the source " + options.logos[i].path +
                   "; writing it would destroy that source";
    return {};
}

// The page's own calls write the work file next to the source; -o writes the same bytes elsewhere.
int Convert(HostFiles& files, const Options& options, const Sources& sources) {
    const Logo& logo = options.logos.front();
    const LogoSettings& s = logo.settings;
    std::string written;
    if (options.output.empty()) {
        const std::string work = plugin::WorkFilePath(logo.path);
        const std::string clash = CheckNotASource(work, "the work file " + work, options, sources);
        if (!clash.empty()) return Fail(clash);
        const int result = options.gray
            ? plugin::ConvertToGray(files, logo.path, written, s.contrast, s.brightness)
            : plugin::ConvertToMonochrome(files, logo.path, written, s.method, s.contrast, s.brightness);
        if (result != 1) return Fail(options.gray ? GrayFailure(result, logo.path) : MonochromeFailure(result, logo.path));
    } else {
        plugin::FileView source;
        std::vector<std::uint8_t> converted;
        if (!files.View(logo.path, source)) return Fail("cannot read " + logo.path);
        static constexpr unsigned kGrayDepths[] = {24, 8, 1};
        const int result = options.gray
            ? plugin::RenderGray(source.bytes, kGrayDepths, s.contrast, s.brightness, converted)
            : plugin::RenderMonochrome(source.bytes, s.method, s.contrast, s.brightness, converted);
        if (result != 1) return Fail(options.gray ? GrayFailure(result, logo.path) : MonochromeFailure(result, logo.path));
        if (!files.Write(options.output, converted)) return Fail("cannot write " + options.output);
        written = options.output;
    }
    std::printf("%s\n", written.c_str());
    return kExitDone;
}

// Makes the work file a logo needs, as the page does when a logo is added or its settings change.
int PrepareLogo(HostFiles& files, const Logo& logo, const Options& options, const Sources& sources) {
    const bool gray = options.gray;
    plugin::FileView view;
    if (!files.View(logo.path, view)) return Fail("cannot read " + logo.path);
    const std::span<const std::uint8_t> source = view.bytes;
    const auto info = common::ReadBitmapInfoHeader(source);
    if (info && (info->biWidth > kMaxLogoWidth || info->biHeight > kMaxLogoHeight))
        return Fail(logo.path + " is larger than a logo may be (1024 x 768)");
    const LogoSettings& s = logo.settings;
    std::string workPath;
    const unsigned depth = plugin::BitmapBitCount(source);
    if (gray || depth != 1) {
        const std::string work = plugin::WorkFilePath(logo.path);
        const std::string clash =
            CheckNotASource(work, "the work file " + work + " of " + logo.path, options, sources);
        if (!clash.empty()) return Fail(clash);
    }
    if (gray) {
        const int result = plugin::ConvertToGray(files, logo.path, workPath, s.contrast, s.brightness);
        return result == plugin::kGrayWritten ? kExitDone : Fail(GrayFailure(result, logo.path));
    }
    if (depth == 1) return kExitDone;  // sent as it is
    if (depth != 24 && depth != 8) return Fail(logo.path + " is not a 1-, 8- or 24-bit bitmap");
    const int result = plugin::ConvertToMonochrome(files, logo.path, workPath, s.method, s.contrast, s.brightness);
    return result == plugin::kMonochromeWritten ? kExitDone : Fail(MonochromeFailure(result, logo.path));
}

int Download(HostFiles& files, const Options& options, const Sources& sources) {
    std::vector<std::string> paths;
    for (const Logo& logo : options.logos) {
        if (const int status = PrepareLogo(files, logo, options, sources); status != kExitDone)
            return status;
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

int Run(const Options& options) {
    HostFiles files;
    if (options.command == Command::kHelp) {
        std::fputs(kUsage, stdout);
        return kExitDone;
    }
    Sources sources;
    if (const std::string problem = CheckSources(options, sources); !problem.empty())
        return Fail(problem);
    if (!options.output.empty()) {
        const std::string clash =
            CheckNotASource(options.output, "the output " + options.output, options, sources);
        if (!clash.empty()) return Fail(clash);
    }
    switch (options.command) {
        case Command::kHelp: break;
        case Command::kConvert: return Convert(files, options, sources);
        case Command::kDownload: return Download(files, options, sources);
        case Command::kClear: return Clear(files, options);
    }
    return kExitUsage;
}

}  // namespace
}  // namespace logoconv

int main(int argc, char** argv) {
    using namespace logoconv;
    // Every expected failure has its own message; this is the last line of defence.
    ExitWhenASourceShrinks();
    try {
        Options options;
        std::string error;
        if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
            std::fprintf(stderr, "logoconv: %s\n\n%s", error.c_str(), kUsage);
            return kExitUsage;
        }
        return Run(options);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "logoconv: out of memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "logoconv: unexpected error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "logoconv: unexpected error\n");
    }
    return kExitUsage;
}
