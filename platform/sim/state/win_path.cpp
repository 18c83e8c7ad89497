// Windows path arithmetic for the simulated machine.
#include "platform/sim/state/win_path.h"

#include <cctype>

namespace sim {

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

}  // namespace

std::vector<std::string> PathComponents(const std::string& absolutePath) {
    std::vector<std::string> parts;
    size_t i = HasDrive(absolutePath) ? 2 : 0;
    std::string cur;
    for (; i < absolutePath.size(); ++i) {
        if (IsSep(absolutePath[i])) {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += absolutePath[i];
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

std::string AbsoluteWindowsPath(const std::string& currentDir, const std::string& path) {
    if (path.empty()) return {};
    if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) return {};  // UNC: not simulated
    std::string drive;
    std::string rest;
    if (HasDrive(path)) {
        drive = path.substr(0, 2);
        rest = path.substr(2);
        if (rest.empty() || !IsSep(rest[0])) {
            // "C:x" is relative to the current directory of that drive: only the current drive.
            if (!HasDrive(currentDir) ||
                std::toupper(static_cast<unsigned char>(currentDir[0])) !=
                    std::toupper(static_cast<unsigned char>(path[0])))
                return {};
            rest = currentDir.substr(2) + "\\" + rest;
        }
    } else {
        if (!HasDrive(currentDir)) return {};
        drive = currentDir.substr(0, 2);
        rest = IsSep(path[0]) ? path : currentDir.substr(2) + "\\" + path;
    }
    drive[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    std::vector<std::string> out;
    const std::vector<std::string> parts = PathComponents(rest);
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (part == ".") continue;
        if (part == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        // Windows drops one trailing period from a name ("dir." is "dir"), and every trailing
        // period and blank from the last name unless the path ends in a separator.
        if (part.size() >= 2 && part.back() == '.' && part[part.size() - 2] != '.')
            part.pop_back();
        if (i + 1 == parts.size() && !IsSep(path.back())) {
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
        }
        if (!part.empty()) out.push_back(part);
    }
    std::string result = drive + "\\";
    for (size_t i = 0; i < out.size(); ++i) {
        if (i) result += "\\";
        result += out[i];
    }
    return result;
}

std::string DirectoryOf(const std::string& path) {
    size_t pos = path.find_last_of("\\/");
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string FileNameOf(const std::string& path) {
    size_t pos = path.find_last_of("\\/");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

}  // namespace sim
