// A spooler fake for the raw-job tests: records each call, can fail one call with a given error
// or take fewer bytes per write than offered.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/spooler.h"

namespace plugintest {

class FakeLastError : public plat::LastError {
public:
    std::uint32_t GetLastError() override { return code; }
    void SetLastError(std::uint32_t value) override { code = value; }
    std::uint32_t code = 0;
};

class FakeSpooler : public plat::RawPrinting {
public:
    explicit FakeSpooler(plat::LastError& lastError) : lastError_(lastError) {}

    // The call to fail ("StartDocPrinterW", "StartPagePrinter", "WritePrinter", ...), on its
    // `failOnCall`-th occurrence (1 = the first), with `failError` as the last error.
    std::string failCall;
    int failOnCall = 1;
    std::uint32_t failError = 0;
    // When not 0: each WritePrinter takes at most this many bytes and says so.
    std::uint32_t writeLimit = 0;
    // When true: WritePrinter succeeds but takes no bytes.
    bool writeTakesNothing = false;

    std::vector<std::string> calls;  // call names in order, each with its printer handle checked
    std::vector<std::uint8_t> received;
    std::vector<std::uint32_t> writeSizes;  // sizes offered to WritePrinter
    plat::DocInfo1 document;
    plat::PrinterHandle expectedPrinter = 0x4711;
    bool wrongHandleSeen = false;

    bool OpenPrinterW(const std::u16string&, plat::PrinterHandle&) override {
        return Record("OpenPrinterW", 0);
    }
    bool ClosePrinter(plat::PrinterHandle printer) override {
        return Record("ClosePrinter", printer);
    }
    std::uint32_t StartDocPrinterW(plat::PrinterHandle printer,
                                   const plat::DocInfo1& doc) override {
        document = doc;
        return Record("StartDocPrinterW", printer) ? 17 : 0;
    }
    bool StartPagePrinter(plat::PrinterHandle printer) override {
        return Record("StartPagePrinter", printer);
    }
    bool WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                      std::uint32_t& written) override {
        writeSizes.push_back(size);
        written = 0;
        if (!Record("WritePrinter", printer)) return false;
        if (writeTakesNothing) return true;
        written = writeLimit != 0 && size > writeLimit ? writeLimit : size;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        received.insert(received.end(), bytes, bytes + written);
        return true;
    }
    bool EndPagePrinter(plat::PrinterHandle printer) override {
        return Record("EndPagePrinter", printer);
    }
    bool EndDocPrinter(plat::PrinterHandle printer) override {
        return Record("EndDocPrinter", printer);
    }

private:
    // Records the call; false (with the last error set) when it is the one to fail.
    bool Record(const std::string& name, plat::PrinterHandle printer) {
        if (printer != expectedPrinter && name != "OpenPrinterW") wrongHandleSeen = true;
        calls.push_back(name);
        int seen = 0;
        for (const std::string& c : calls) seen += c == name;
        if (name == failCall && seen == failOnCall) {
            lastError_.SetLastError(failError);
            return false;
        }
        // A call that succeeds clears the code, so a sender that reads the error after its
        // clean-up calls is caught.
        lastError_.SetLastError(0);
        return true;
    }

    plat::LastError& lastError_;
};

}  // namespace plugintest
