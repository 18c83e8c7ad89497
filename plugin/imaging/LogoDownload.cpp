// Composition of the logo download and clearing jobs.
#include "plugin/imaging/LogoDownload.h"

#include <new>

#include "plugin/commands/SendRawJob.h"
#include "plugin/imaging/LogoImages.h"
#include "plugin/imaging/SourceBitmap.h"
#include "plugin/imaging/WorkFile.h"

namespace plugin {
namespace {

const ByteString kEnterLogoMode = {0x1B, 0x63, 0x3B, 0x01};
const ByteString kLeaveLogoMode = {0x1B, 0x63, 0x3B, 0x00};

// The size that counts against the logo memory; false when neither file can be read.
bool LogoFileSize(ImageFiles& files, const std::string& sourcePath, std::uint64_t& size) {
    std::vector<std::uint8_t> bytes;
    if (files.Read(WorkFilePath(sourcePath), bytes) || files.Read(sourcePath, bytes)) {
        size = bytes.size();
        return true;
    }
    return false;
}

bool MonochromeImage(ImageFiles& files, const std::string& sourcePath, ByteString& image) {
    std::vector<std::uint8_t> bytes;
    if (!files.Read(sourcePath, bytes)) return false;
    if (BitmapBitCount(bytes) != 1 && !files.Read(WorkFilePath(sourcePath), bytes)) return false;
    return EncodeMonochromeLogo(bytes, image);
}

bool GrayImage(ImageFiles& files, const std::string& sourcePath, ByteString& image) {
    std::vector<std::uint8_t> bytes;
    return files.Read(WorkFilePath(sourcePath), bytes) && EncodeGrayLogo(bytes, image);
}

}  // namespace

LogoDownloadStatus ComposeLogoDownload(ImageFiles& files, const std::vector<std::string>& logoPaths,
                                       LogoType type, RawJob& job) {
    if (logoPaths.empty()) return LogoDownloadStatus::kNoLogos;
    if (logoPaths.size() > kMaxLogos) return LogoDownloadStatus::kTooManyLogos;
    if (type != LogoType::kTransformation && type != LogoType::kGray)
        return LogoDownloadStatus::kNotDownloadable;

    try {
        std::uint64_t total = 0;
        for (const std::string& path : logoPaths) {
            std::uint64_t size = 0;
            if (!LogoFileSize(files, path, size)) return LogoDownloadStatus::kSizeUnknown;
            total += size;
        }
        if (total > kLogoMemoryBytes) return LogoDownloadStatus::kTooLarge;

        RawJob composed;
        composed.documentName = u"LOGO";
        composed.writes.push_back(kEnterLogoMode);
        const auto count = static_cast<std::uint8_t>(logoPaths.size());
        composed.writes.push_back({0x1C, type == LogoType::kGray ? std::uint8_t{0x72} : std::uint8_t{0x71}, count});
        for (const std::string& path : logoPaths) {
            ByteString image;
            const bool encoded = type == LogoType::kGray ? GrayImage(files, path, image)
                                                         : MonochromeImage(files, path, image);
            if (!encoded) return LogoDownloadStatus::kUnusableLogo;
            composed.writes.push_back(std::move(image));
        }
        composed.writes.push_back({0x0A});
        composed.writes.push_back(kLeaveLogoMode);
        job = std::move(composed);
        return LogoDownloadStatus::kReady;
    } catch (const std::bad_alloc&) {
        return LogoDownloadStatus::kUnusableLogo;
    }
}

RawJob ClearAllLogosJob() {
    RawJob job;
    job.documentName = u"SELFTEST";
    job.writes = {kEnterLogoMode, {0x1C, 0x71, 0x00, 0x00, 0x0A}, kLeaveLogoMode};
    return job;
}

LogoDownloadStatus DownloadAllLogos(ImageFiles& files, plat::RawPrinting& spooler,
                                    plat::LastError& lastError, plat::PrinterHandle printer,
                                    const std::vector<std::string>& logoPaths, LogoType type) {
    RawJob job;
    const LogoDownloadStatus status = ComposeLogoDownload(files, logoPaths, type, job);
    if (status == LogoDownloadStatus::kReady) SendRawJob(spooler, lastError, printer, job);
    return status;
}

void ClearAllLogos(plat::RawPrinting& spooler, plat::LastError& lastError, plat::PrinterHandle printer) {
    SendRawJob(spooler, lastError, printer, ClearAllLogosJob());
}

}  // namespace plugin
