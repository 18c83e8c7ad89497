// The machine's transcript file: appended one whole line at a time under the machine lock.
#include "platform/sim/state/transcript.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "platform/sim/state/machine.h"
#include "platform/sim/state/timing_journal.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

fs::path TranscriptPath(const fs::path& machineDir) { return machineDir / "transcript.log"; }

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool AppendTranscript(const fs::path& machineDir, const std::string& program,
                      const std::string& text) {
    std::string line = program + ": ";
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r')
            line += "\\n";
        else
            line += text[i];
    }
    timing::RecordShown(program, line.substr(program.size() + 2));
    line += '\n';
    MachineLock lock(machineDir);
    int fd = ::open(TranscriptPath(machineDir).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                    0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, line);
    ::close(fd);
    return ok;
}

std::uint64_t TranscriptSize(const fs::path& machineDir) {
    std::error_code ec;
    auto size = fs::file_size(TranscriptPath(machineDir), ec);
    return ec ? 0 : size;
}

std::vector<std::string> ReadTranscript(const fs::path& machineDir, std::uint64_t fromOffset) {
    std::vector<std::string> lines;
    std::ifstream in(TranscriptPath(machineDir), std::ios::binary);
    if (!in) return lines;
    in.seekg(static_cast<std::streamoff>(fromOffset));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool ClearTranscript(const fs::path& machineDir) {
    MachineLock lock(machineDir);
    std::ofstream out(TranscriptPath(machineDir), std::ios::trunc | std::ios::binary);
    return static_cast<bool>(out);
}

}  // namespace sim
