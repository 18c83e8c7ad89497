// Fuzz target: the package configuration through the package reader. The input is setup.ini
// and one series file, after a byte that chooses one of the first four models, an OS row, a
// port kind and a flavour, read on a simulated machine. Records keep within their fixed sizes, and a dependent-
// file list is refused exactly when it would not fit its 200 bytes.
#include <algorithm>

#include "package/PackageConfig.h"
#include "platform/win_constants.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void Write(const std::string& windowsPath, const std::string& bytes) {
    std::filesystem::path host = fuzz::Machine().machine().HostPath(windowsPath);
    std::filesystem::create_directories(host.parent_path());
    std::FILE* file = std::fopen(host.c_str(), "wb");
    FUZZ_CHECK(file, "cannot write " + windowsPath);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// The models an input may choose from: every read goes through the simulated file system, so
// one model, row, kind and flavour an input keeps it in milliseconds, and the fuzzer varies
// the choice. (A huge DEVICENUMBER is the package checker's to report.)
constexpr int kModelsWalked = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte chooses what is read: model, OS row, port kind and flavour.
    const std::uint8_t choice = data[0];
    std::vector<std::string> parts = fuzz::SplitParts(data + 1, size - 1, 2);
    Write("C:\\Pkg\\DRVCONFIG\\setup.ini", parts[0]);
    // The series file of every series, so each model finds one.
    for (int series = 0; series < pkg::kSeriesCount; ++series)
        Write("C:\\Pkg\\" + pkg::SeriesFileName(series, false), parts[1]);

    static std::unique_ptr<sim::SimPlatform> setup = fuzz::Machine().Process(32, "C:\\Pkg\\setup.exe", "C:\\Pkg");
    pkg::PackageConfig config(*setup, false);
    const int count = config.ModelCount();
    (void)config.DefaultModel();
    (void)config.ProcessorVersion();
    if (count < 1) return 0;
    const int model = 1 + (choice >> 6) % std::min(count, kModelsWalked);
    const int os = choice % pkg::kOsCount;
    const auto kind = static_cast<pkg::PortKind>((choice >> 3) % pkg::kPortKindCount);
    const pkg::Flavour flavour = choice & 0x20 ? pkg::Flavour::Raster : pkg::Flavour::Standard;

    const pkg::ModelEntry entry = config.GetModelEntry(model);
    FUZZ_CHECK(entry.series >= -1 && entry.series < pkg::kSeriesCount, "series out of range");
    config.SelectSeries(entry.series);
    (void)config.ReadPortMonitors(os);
    (void)config.ReadLanguageMonitor(os, kind);
    pkg::DriverRecord record;
    const std::uint32_t result = config.ReadDriverRecord(entry.name, os, kind, flavour, record);
    const std::string list = config.DependentFileList(entry.name, os, flavour);
    FUZZ_CHECK(result == ERROR_SUCCESS || result == ERROR_INSUFFICIENT_BUFFER, "driver record result");
    FUZZ_CHECK((result == ERROR_INSUFFICIENT_BUFFER) == (list.size() > 200),
               "the list is refused exactly when it does not fit 200 bytes");
    FUZZ_CHECK(record.dependentFiles.size() <= 200, "dependent files over 200 bytes");
    FUZZ_CHECK(result == ERROR_SUCCESS || record.dependentFiles.empty(), "a refused list is kept");
    FUZZ_CHECK(record.name.size() <= 49, "driver name over 49 characters");
    for (const std::string* file : {&record.driverPath, &record.dataFile, &record.configFile, &record.helpFile})
        FUZZ_CHECK(file->size() <= 199, "file name over 199 characters");
    (void)config.ReadPrinterRecord(entry.name, os, kind, flavour);
    (void)config.DriverFiles(entry.name, os, flavour);
    (void)config.MinidriverFlag(entry.name, os, flavour);
    (void)config.PortSetting(entry.name, "BaudRate");
    return 0;
}
