// The host's files as the image conversions read and write them.
#pragma once
#include "plugin/imaging/ImageFiles.h"

namespace logoconv {

class HostFiles : public plugin::ImageFiles {
public:
    bool Read(const std::string& path, std::vector<std::uint8_t>& out) override;
    bool Write(const std::string& path, const std::vector<std::uint8_t>& data) override;
};

}  // namespace logoconv
