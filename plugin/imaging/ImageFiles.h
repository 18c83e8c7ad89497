// How the image conversions reach files: whole-file reads and writes by path.
//
// The plug-in passes its platform's file system; the logo tool passes the host's files, so both
// run the same conversions.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"

namespace plugin {

// A whole file's bytes for reading, valid while the view (or a copy of it) lives: bytes read
// into memory, or the file mapped where the files allow it, which spares the copy.
struct FileView {
    std::shared_ptr<const void> keeper;  // owns what `bytes` points into
    std::span<const std::uint8_t> bytes;

    static FileView Holding(std::vector<std::uint8_t> bytes) {
        auto held = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
        return {held, std::span<const std::uint8_t>(*held)};
    }
};

class ImageFiles {
public:
    virtual ~ImageFiles() = default;
    // The whole file; false when it cannot be opened or read.
    virtual bool Read(const std::string& path, std::vector<std::uint8_t>& out) = 0;
    // The whole file as a view, for sources that are only read; by default read with Read.
    virtual bool View(const std::string& path, FileView& out) {
        std::vector<std::uint8_t> bytes;
        if (!Read(path, bytes)) return false;
        out = FileView::Holding(std::move(bytes));
        return true;
    }
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
