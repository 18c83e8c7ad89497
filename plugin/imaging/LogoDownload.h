// The "Download all" and "Clear All Logos" jobs of the stored-logo list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/spooler.h"
#include "plugin/commands/RawJob.h"
#include "plugin/imaging/ImageFiles.h"

namespace plugin {

// The logo type of the whole list.
enum class LogoType : int {
    kOriginal = 0,        // shown unconverted; nothing to download
    kTransformation = 1,  // one-bit images
    kGray = 2,            // sixteen-level gray images
};

inline constexpr std::size_t kMaxLogos = 9;
// The printer's logo memory: the logos' file sizes may add up to this many bytes.
inline constexpr std::uint64_t kLogoMemoryBytes = 98303;

enum class LogoDownloadStatus {
    kReady,            // the job is composed
    kNoLogos,          // "Please select logos first!"
    kTooManyLogos,     // more than nine entries
    kNotDownloadable,  // the type is "Original"
    kSizeUnknown,      // "Failed to get the size of logo!"
    kTooLarge,         // "The total sizes of all the logos is greater 96K!"
    kUnusableLogo,     // a logo's image is missing or not of the form the type needs
};

// The job "LOGO" that stores the logos (source paths in list order) in the printer:
// ESC c ; 1, then FS q n with the monochrome images (Transformation) or FS r n with the gray
// images (Gray), then LF and ESC c ; 0; one write per command and per image.
//
// First the size check: each logo counts with its work file (WorkFilePath) or, when that cannot
// be read, its source; together at most kLogoMemoryBytes. A monochrome image comes from the
// source when the source is a one-bit bitmap, else from the work file; a gray image always from
// the work file. Every image is encoded before anything is returned, so an unusable logo
// (kUnusableLogo) means no job at all rather than a download command whose images stop short.
// `job` is filled only with kReady.
LogoDownloadStatus ComposeLogoDownload(ImageFiles& files, const std::vector<std::string>& logoPaths,
                                       LogoType type, RawJob& job);

// The job "SELFTEST" that clears every stored logo: ESC c ; 1, FS q 0 0 LF, ESC c ; 0.
RawJob ClearAllLogosJob();

// "Download all": composes the job and, when it is kReady, sends it on the page's printer. A
// spooler failure ends what was opened and is not reported (the status stays kReady).
LogoDownloadStatus DownloadAllLogos(ImageFiles& files, plat::RawPrinting& spooler,
                                    plat::LastError& lastError, plat::PrinterHandle printer,
                                    const std::vector<std::string>& logoPaths, LogoType type);

// "Clear All Logos": sends ClearAllLogosJob; spooler failures end what was opened silently.
void ClearAllLogos(plat::RawPrinting& spooler, plat::LastError& lastError, plat::PrinterHandle printer);

}  // namespace plugin
