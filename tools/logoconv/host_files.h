// The host's files as the image conversions read and write them: regular files of bounded size.
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/imaging/ImageFiles.h"

namespace logoconv {

// The largest source read. The conversions accept pictures of up to 32767 x 32767 pixels, but
// a logo is at most 1024 x 768 (2.3 MB at 24 bits) and a printer's logo memory holds 98303
// bytes; 64 MiB leaves room for any picture someone means as a logo (a 24-bit 4096 x 4096
// picture is 48 MiB) while keeping a stray disk image or device out of memory.
inline constexpr std::uint64_t kMaxSourceBytes = std::uint64_t{64} << 20;

enum class SourceState {
    kReadable,    // a regular file within kMaxSourceBytes
    kCannotRead,  // missing, or opening it failed (see `error`)
    kDirectory,
    kNotRegular,  // a device, FIFO or socket: reading it may never end
    kTooLarge,
};

struct SourceCheck {
    SourceState state = SourceState::kCannotRead;
    int error = 0;  // errno of the failed open
    dev_t device = 0;
    ino_t inode = 0;
};

// Opens a source and examines it without reading any byte; a FIFO is opened without waiting
// for a writer.
SourceCheck CheckSource(const std::string& path);

// The message for a source that is not kReadable ("cannot read PATH: ...", "PATH is a
// directory ...").
std::string DescribeUnreadable(const std::string& path, const SourceCheck& check);

// True when `path` exists and is the file `source` was found to be: the same device and inode,
// so another spelling of its path or another hard link counts as the same file.
bool IsSameFile(const std::string& path, const SourceCheck& source);

class HostFiles : public plugin::ImageFiles {
public:
    // Reads a regular file of at most kMaxSourceBytes with one read of its size; false for
    // anything else.
    bool Read(const std::string& path, std::vector<std::uint8_t>& out) override;
    // The same files mapped rather than copied, read only: a source is read once, in order, and
    // copying it into fresh memory would cost more than converting it. Falls back to Read where
    // a file cannot be mapped.
    bool View(const std::string& path, plugin::FileView& out) override;
    bool Write(const std::string& path, const std::vector<std::uint8_t>& data) override;
};

// A mapped source that another program shortens while it is converted can no longer be read
// past its new end. Ends the process with a message and exit status 1 when that happens; what
// was being converted is not written (outputs are written only after their conversion).
void ExitWhenASourceShrinks();

}  // namespace logoconv
