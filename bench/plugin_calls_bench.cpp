// The UI plug-in's cost per call, which the universal printer driver pays for every job and
// every sheet: its DevMode method in each mode (directly and through the COM object from the
// built library), and the document sheet in the simulator's driver-UI host from the host's
// DocumentPropertySheets call until its pages have handled WM_INITDIALOG.
//
// The simulated sheet makes a page when it is first shown, as comctl32 does, so "every page
// initialised" needs the person to visit every tab: one benchmark cancels on the start page,
// the other clicks through every tab first. Counters split the time (milliseconds per run):
// plugin_ms DocumentPropertySheets itself, host_ms from its return to PropertySheetW, sheet_ms
// from there to the last page's WM_INITDIALOG, page_init_ms the pages' own WM_INITDIALOG
// handling within it, run_ms the whole host run from the platform's making to unloading.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "DevmodeInputs.h"
#include "SimPrinterHost.h"
#include "platform/last_error.h"
#include "platform/win_constants.h"
#include "plugin/com/OemUiTypes.h"
#include "plugin/devmode/DevModeCall.h"
#include "plugin/devmode/OemDevmode.h"

namespace {

namespace com = plugin::com;
using driverui::DeviceMode;

// The DevMode calls succeed, so the last error is never set on the measured path.
class ThreadLastError final : public plat::LastError {
public:
    std::uint32_t GetLastError() override { return code_; }
    void SetLastError(std::uint32_t code) override { code_ = code; }

private:
    std::uint32_t code_ = 0;
};

class NoReport final : public driverui::HostReport {
public:
    void Line(const std::string&) override {}
};

enum class Stored { kNone, kCurrent, kOlder };

// One DevMode call's buffers as the driver passes them: the stored device mode in, the new one
// out, the output block's buffer 1464 bytes.
struct DevModeCall {
    explicit DevModeCall(Stored stored)
        : in(stored == Stored::kOlder ? bench::StoredOlderDevmode() : bench::StoredCurrentDevmode()),
          out(bench::NewDevmode()) {
        param.cbSize = sizeof param;
        param.pPublicDMOut = reinterpret_cast<com::DEVMODEW*>(&out.publicPart());
        param.pOEMDMOut = out.privateBlock();
        param.cbBufSize = plugin::kOemDevmodeSize;
        // The driver has the new block defaulted (OEMDM_DEFAULT) before it converts or merges
        // into it; convert keeps an input block only when the signatures agree.
        const plugin::OemDevmode defaults = plugin::DefaultOemDevmode();
        std::memcpy(out.privateBlock(), &defaults, sizeof defaults);
        if (stored != Stored::kNone) {
            param.pPublicDMIn = reinterpret_cast<com::DEVMODEW*>(&in.publicPart());
            param.pOEMDMIn = in.privateBlock();
        }
    }
    // The block written is the user's (convert and merge keep the cut setting) or the defaults'.
    bool Written(Stored stored) const {
        plugin::OemDevmode block;
        std::memcpy(&block, out.bytes().data() + driverui::kPublicDevmodeSize, sizeof block);
        const bool users = block.endDocument.paperCut == 2;
        return block.dwSize == plugin::kOemDevmodeSize && users == (stored != Stored::kNone);
    }

    DeviceMode in;
    DeviceMode out;
    com::OEMDMPARAM param{};
};

template <typename Call>
void TimeDevMode(benchmark::State& state, com::DWORD mode, Stored stored, Call call) {
    DevModeCall c(stored);
    for (auto _ : state) {
        if (call(mode, &c.param) != S_OK) {
            state.SkipWithError("DevMode failed");
            break;
        }
        benchmark::DoNotOptimize(c.param);
        benchmark::ClobberMemory();
    }
    if (mode == OEMDM_SIZE ? c.param.cbBufSize != plugin::kOemDevmodeSize : !c.Written(stored))
        state.SkipWithError("DevMode gave another result than the driver needs");
}

void DevModeDirect(benchmark::State& state, com::DWORD mode, Stored stored) {
    ThreadLastError lastError;
    TimeDevMode(state, mode, stored, [&](com::DWORD m, com::OEMDMPARAM* p) {
        return plugin::DevMode(lastError, m, p);
    });
}

// The same calls on the plug-in object the built library's class factory makes, on a
// simulated machine as the driver's process would have it.
void DevModeCom(benchmark::State& state, com::DWORD mode, Stored stored) {
    std::string error;
    std::unique_ptr<bench::SimPrinterHost> host = bench::SimPrinterHost::Create(error);
    if (!host) return state.SkipWithError(error.c_str());
    NoReport report;
    std::unique_ptr<driverui::PluginModule> library = host->LoadPlugin(report);
    if (!library) return state.SkipWithError("the plug-in library does not load");
    void* out = nullptr;
    if (library->getClassObject()(com::CLSID_OEMUI, com::IID_IClassFactory, &out) != S_OK)
        return state.SkipWithError("DllGetClassObject failed");
    auto* factory = static_cast<com::IClassFactory*>(out);
    void* object = nullptr;
    const com::HRESULT made = factory->CreateInstance(nullptr, com::IID_IPrintOemUI, &object);
    factory->Release();
    if (made != S_OK) return state.SkipWithError("CreateInstance failed");
    auto* ui = static_cast<com::IPrintOemUI*>(object);
    TimeDevMode(state, mode, stored,
                [ui](com::DWORD m, com::OEMDMPARAM* p) { return ui->DevMode(m, p); });
    ui->Release();
}

#define DEVMODE_BENCHMARKS(function)                                                        \
    BENCHMARK_CAPTURE(function, size, OEMDM_SIZE, Stored::kNone);                          \
    BENCHMARK_CAPTURE(function, default, OEMDM_DEFAULT, Stored::kNone);                    \
    BENCHMARK_CAPTURE(function, convert_current_block, OEMDM_CONVERT, Stored::kCurrent);   \
    BENCHMARK_CAPTURE(function, convert_older_block, OEMDM_CONVERT, Stored::kOlder);       \
    BENCHMARK_CAPTURE(function, merge, OEMDM_MERGE, Stored::kCurrent)

DEVMODE_BENCHMARKS(DevModeDirect);
DEVMODE_BENCHMARKS(DevModeCom);

double Ms(bench::Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The script that visits every tab after the start page, then cancels.
std::string EveryTabScript(const std::vector<std::string>& tabs) {
    std::string script;
    for (std::size_t i = 1; i < tabs.size(); ++i) script += "tab " + tabs[i] + "\n";
    return script + "click IDCANCEL\n";
}

void DocumentSheet(benchmark::State& state, bool everyPage) {
    std::string error;
    std::unique_ptr<bench::SimPrinterHost> host = bench::SimPrinterHost::Create(error);
    if (!host) return state.SkipWithError(error.c_str());
    // A first run, untimed, learns the tabs (and loads the library's files once).
    const bench::HostResult first = host->ShowDocumentSheet();
    if (first.status != 0 || first.times.pages == 0 || !host->ScriptFinished())
        return state.SkipWithError("the document sheet did not open and close with Cancel");
    if (!bench::SimPrinterHost::PluginUnloaded())
        return state.SkipWithError("the plug-in library stayed loaded after the host's run");
    if (everyPage) host->SetScript(EveryTabScript(first.times.tabTexts));
    const std::size_t expected = everyPage ? first.times.pages : 1;

    double plugin = 0, hostSide = 0, sheet = 0, pageInits = 0, run = 0;
    for (auto _ : state) {
        const bench::HostResult r = host->ShowDocumentSheet();
        if (r.status != 0 || r.times.pagesInitialised != expected) {
            state.SkipWithError("a run did not initialise the pages it should");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(r.times.lastPageInit - r.times.beforeCall).count());
        plugin += Ms(r.times.callReturned - r.times.beforeCall);
        hostSide += Ms(r.times.sheetShown - r.times.callReturned);
        sheet += Ms(r.times.lastPageInit - r.times.sheetShown);
        pageInits += Ms(r.times.insidePageInits);
        run += Ms(r.whole);
    }
    if (!host->ScriptFinished()) state.SkipWithError("the script was not finished");
    const auto perRun = benchmark::Counter::kAvgIterations;
    state.counters["pages"] = static_cast<double>(expected);
    state.counters["plugin_ms"] = benchmark::Counter(plugin, perRun);
    state.counters["host_ms"] = benchmark::Counter(hostSide, perRun);
    state.counters["sheet_ms"] = benchmark::Counter(sheet, perRun);
    state.counters["page_init_ms"] = benchmark::Counter(pageInits, perRun);
    state.counters["run_ms"] = benchmark::Counter(run, perRun);
}

BENCHMARK_CAPTURE(DocumentSheet, start_page_then_cancel, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DocumentSheet, every_page_then_cancel, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
