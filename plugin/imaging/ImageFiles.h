// How the image conversions reach files: whole-file reads and writes by path.
//
// The plug-in passes its platform's file system; the logo tool passes the host's files, so both
// run the same conversions.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace plugin {

class ImageFiles {
public:
    virtual ~ImageFiles() = default;
    // The whole file; false when it cannot be opened or read.
    virtual bool Read(const std::string& path, std::vector<std::uint8_t>& out) = 0;
    // Creates or replaces the file with exactly these bytes; false when it cannot.
    virtual bool Write(const std::string& path, const std::vector<std::uint8_t>& data) = 0;
};

// Files of the machine the plug-in runs on.
class PlatformImageFiles : public ImageFiles {
public:
    explicit PlatformImageFiles(plat::FileSystem& files) : files_(files) {}
    bool Read(const std::string& path, std::vector<std::uint8_t>& out) override {
        return files_.ReadWholeFile(path.c_str(), out);
    }
    bool Write(const std::string& path, const std::vector<std::uint8_t>& data) override {
        return files_.WriteWholeFile(path.c_str(), data);
    }

private:
    plat::FileSystem& files_;
};

}  // namespace plugin
