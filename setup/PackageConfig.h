// The package configuration: "DRVCONFIG\setup.ini" and the series files, read into the
// records the installation hands to the spooler.
#pragma once
#include <string>

#include "platform/platform.h"

namespace setup {

// Series of a model: the suffix of its DEVICENAME entry selects its series file.
enum Series { kReceipt = 0, kTicket = 1, kLabel = 2, kEmbedded = 3, kSeriesCount = 4 };

// "DRVCONFIG\setup_receipt.ini" ... (or the "_64" files for 64-bit Windows), relative to the
// package root; empty for an index outside 0..3.
std::string SeriesFileName(int series, bool is64Bit);

// One DEVICENAME entry: the model name with its series suffix cut off, and the series index,
// -1 when the entry carries no suffix (it is then not a model).
struct ModelEntry {
    std::string name;
    int series = -1;
};

// Splits an entry value into model name and series (the suffixes are searched in series order).
ModelEntry ParseModelEntry(const std::string& value);

class PackageConfig {
public:
    // Computes the module-relative paths of setup.ini and of the four series files for the
    // word size of the running Windows.
    PackageConfig(plat::Platform& platform, bool is64Bit);

    int ModelCount();                 // DEVICENUMBER
    ModelEntry GetModelEntry(int i);  // DEVICENAME<i>, 1-based
};

}  // namespace setup
