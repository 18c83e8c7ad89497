// Whole-file reads and writes on the host, refusing what is not a regular file of bounded size.
#include "host_files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <memory>

namespace logoconv {

namespace {

// An open file descriptor, closed when it goes out of scope.
class OpenFile {
public:
    explicit OpenFile(const std::string& path)
        // O_NONBLOCK: opening a FIFO for reading must not wait for a writer. It changes
        // nothing for regular files, the only ones read.
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd() const { return fd_; }

private:
    int fd_;
};

SourceCheck Examine(const OpenFile& file, struct stat& info) {
    SourceCheck check;
    if (file.fd() < 0 || ::fstat(file.fd(), &info) != 0) {
        check.error = errno;
        return check;
    }
    check.device = info.st_dev;
    check.inode = info.st_ino;
    if (S_ISDIR(info.st_mode))
        check.state = SourceState::kDirectory;
    else if (!S_ISREG(info.st_mode))
        check.state = SourceState::kNotRegular;
    else if (static_cast<std::uint64_t>(info.st_size) > kMaxSourceBytes)
        check.state = SourceState::kTooLarge;
    else
        check.state = SourceState::kReadable;
    return check;
}

}  // namespace

SourceCheck CheckSource(const std::string& path) {
    OpenFile file(path);
    struct stat info {};
    return Examine(file, info);
}

std::string DescribeUnreadable(const std::string& path, const SourceCheck& check) {
    switch (check.state) {
        case SourceState::kReadable: break;
        case SourceState::kCannotRead:
            return "cannot read " + path + ": " + std::strerror(check.error);
        case SourceState::kDirectory: return path + " is a directory, not a bitmap file";
        case SourceState::kNotRegular:
            return path + " is a device, FIFO or socket, not a bitmap file; only regular files are read";
        case SourceState::kTooLarge:
            return path + " is larger than 64 MiB, far more than any logo needs; it is not read";
    }
    return {};
}

bool IsSameFile(const std::string& path, const SourceCheck& source) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return info.st_dev == source.device && info.st_ino == source.inode;
}

bool HostFiles::Read(const std::string& path, std::vector<std::uint8_t>& out) {
    OpenFile file(path);
    struct stat info {};
    if (Examine(file, info).state != SourceState::kReadable) return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;  // the file shrank since it was examined
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    out = std::move(bytes);
    return true;
}

bool HostFiles::View(const std::string& path, plugin::FileView& out) {
    OpenFile file(path);
    struct stat info {};
    if (Examine(file, info).state != SourceState::kReadable) return false;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size == 0) return ImageFiles::View(path, out);  // nothing to map
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.fd(), 0);
    if (at == MAP_FAILED) return ImageFiles::View(path, out);
    // The mapping outlives the descriptor; it goes when the last copy of the view does.
    out.keeper = std::shared_ptr<const void>(at, [size](const void* p) { ::munmap(const_cast<void*>(p), size); });
    out.bytes = {static_cast<const std::uint8_t*>(at), size};
    return true;
}

bool HostFiles::Write(const std::string& path, const std::vector<std::uint8_t>& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    file.close();
    return !file.fail();
}

namespace {

extern "C" void OnSourceShrunk(int) {
    static constexpr char kMessage[] =
        "logoconv: a source file was shortened while it was being converted; its result was not written\n";
    // Only async-signal-safe calls here.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    ::_exit(1);
}

}  // namespace

void ExitWhenASourceShrinks() {
    struct sigaction action {};
    action.sa_handler = OnSourceShrunk;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, nullptr);
}

}  // namespace logoconv
