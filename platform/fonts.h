// Fonts: installing font files into the system (AddFontResourceA and the Fonts registry key).
#pragma once

namespace plat {

// The calls join this interface with the installation step that installs the package's fonts.
class Fonts {
public:
    virtual ~Fonts() = default;
};

}  // namespace plat
