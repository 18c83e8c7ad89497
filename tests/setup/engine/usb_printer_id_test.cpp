// The USB printer identity: port numbers, the ID command, reading and rewriting the ID through
// the USB access library on a simulated machine, and the check before a USB installation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "package/LanguageText.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"
#include "setup/engine/UsbIdentityCheck.h"
#include "setup/engine/UsbPrinterId.h"
#include "tests/support/temp_machine.h"

namespace {

TEST(UsbPortNumbers, OfInternalIds) {
    const struct { int id; int port; } cases[] = {
        {0, 1}, {1, 2}, {3, 4}, {4, 5}, {7, 8}, {8, 1}, {9, 2}, {10, 3}, {15, 8}, {16, 1}, {259, 4}};
    for (const auto& c : cases) EXPECT_EQ(setup::UsbPortNumberOfId(c.id), c.port) << c.id;
}

TEST(UsbPortNumbers, OfPortNames) {
    const struct { const char* name; int port; } cases[] = {
        {"USB_VTX-58R_1", 1}, {"USB_VTX-58R_2", 2}, {"USB_VTX-58R_3", 3}, {"USB_VTX-58R_4", 4},
        // "_4" wins over an earlier "_1", then "_3" over "_2".
        {"USB_A_1_4", 4}, {"USB_B_2_3", 3}, {"USB_5", 0}, {"LPT1:", 0}, {"", 0}, {"USB1", 0}};
    for (const auto& c : cases) EXPECT_EQ(setup::UsbPortNumberOfName(c.name), c.port) << c.name;
}

TEST(UsbIdCommand, FramesTheAccessSequenceAndTheNewId) {
    const std::array<std::uint8_t, 10> forPort3 = {0x1B, 0x23, 0x23, 0x53, 0x45,
                                                   0x54, 0x1D, 0x49, 0x20, 0x02};
    EXPECT_EQ(setup::UsbIdCommand(3), forPort3);
    EXPECT_EQ(setup::UsbIdCommand(1)[9], 0x00);
    EXPECT_EQ(setup::UsbIdCommand(8)[9], 0x07);
}

// Message boxes as a person answers them: Yes/No questions get the next scripted answer.
class RecordingDesktop : public plat::Desktop {
public:
    std::vector<std::string> shown;
    std::vector<std::uint32_t> types;
    std::vector<int> answers;

    std::unique_ptr<plat::Handle> CreateMutexA(bool, const char*) override { return nullptr; }
    plat::WindowRef FindWindowA(const char*, const char*) override { return 0; }
    bool SetForegroundWindow(plat::WindowRef) override { return false; }
    bool IsIconic(plat::WindowRef) override { return false; }
    bool OpenIcon(plat::WindowRef) override { return false; }
    bool BringWindowToTop(plat::WindowRef) override { return false; }
    std::intptr_t ShellExecuteA(plat::WindowRef, const char*, const char*, const char*,
                                const char*, int) override {
        return 0;
    }
    bool BroadcastWinIniChange(const char*, std::uint32_t) override { return false; }
    bool NotifyWinIniChange(const char*) override { return false; }
    int MessageBoxA(plat::WindowRef, const char* text, const char*, std::uint32_t type) override {
        shown.emplace_back(text);
        types.push_back(type);
        if ((type & 0xF) != MB_YESNO) return IDOK;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return IDNO;
        }
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void Transcript(const char*) override {}
};

const char* const kNoDevice = "No USB printer was found.";
const char* const kChangeId = "Change the printer's number?";
const char* const kOnePrinter = "Only one printer, please.";

// A simulated machine with setup's language texts and, unless told otherwise, the library.
class UsbOnSim : public ::testing::Test {
protected:
    void SetUp() override {
        sim::MachineSettings s = temp_.machine().settings();
        s.timeScale = 0;
        std::string error;
        ASSERT_TRUE(temp_.machine().SaveSettings(s, error)) << error;
        const auto scratch = temp_.machine().driveC() / "scratch";
        std::filesystem::create_directories(scratch / "language");
        std::ofstream(scratch / "language" / "setup.ini")
            << "[Message]\r\nIDS_ERR_NOUSBDEVICE=" << kNoDevice << "\r\nIDS_INF_CHANGEID="
            << kChangeId << "\r\nIDS_ERR_ONEPRINTER=" << kOnePrinter << "\r\n";
        PutLibrary("");
        process_ = temp_.Process();
        texts_ = std::make_unique<pkg::LanguageText>(*process_, "Message");
    }

    // The stand-in library file in the program's directory, with the given text.
    void PutLibrary(const std::string& text) {
        std::ofstream(temp_.machine().driveC() / "scratch" / "KxUsbInt.dll") << text;
    }
    void RemoveLibrary() {
        std::filesystem::remove(temp_.machine().driveC() / "scratch" / "KxUsbInt.dll");
    }
    void Attach(int id) {
        sim::UsbPrinter p;
        p.internalId = id;
        std::string error;
        ASSERT_TRUE(sim::AttachUsbPrinter(temp_.machine(), p, error)) << error;
    }
    std::vector<sim::UsbPrinter> Printers() { return sim::ReadUsbPrinters(temp_.machine()); }

    setup::UsbIdContext Context() {
        return setup::UsbIdContext{process_->usbAccess(), desktop_, process_->system(), *texts_,
                                   0, "Setup"};
    }
    int Query() {
        auto c = Context();
        return setup::QueryUsbPrinterId(c);
    }
    bool Write(int port) {
        auto c = Context();
        return setup::WriteUsbPrinterId(c, port);
    }
    bool Check(bool typical, const std::string& port) {
        auto c = Context();
        return setup::CheckUsbPrinterBeforeInstall(c, typical, port);
    }

    testsupport::TempMachine temp_;
    std::unique_ptr<sim::SimPlatform> process_;
    std::unique_ptr<pkg::LanguageText> texts_;
    RecordingDesktop desktop_;
};

TEST_F(UsbOnSim, QueryCountsZeroOneAndTwoPrinters) {
    EXPECT_EQ(Query(), -1);
    EXPECT_TRUE(desktop_.shown.empty()) << "no printer is not reported by the query";
    Attach(5);
    EXPECT_EQ(Query(), 5);
    EXPECT_TRUE(desktop_.shown.empty());
    Attach(6);
    EXPECT_EQ(Query(), -2);
    EXPECT_EQ(desktop_.shown, std::vector<std::string>{kOnePrinter});
}

TEST_F(UsbOnSim, LibraryVariants) {
    Attach(3);
    const struct { const char* file; const char* message; } cases[] = {
        {"exports: OpenDeviceX GetPrinterInternalID uWrite CloseDevice", "open function error"},
        {"exports: GetPrinterInternalID uWrite CloseDevice GetDescriptor", "open function error"},
        {"exports: OpenDeviceX uWrite CloseDevice GetDescriptor",
         "GetPrinterInternalID function error"},
        {"exports: OpenDeviceX GetPrinterInternalID uWrite GetDescriptor", "open function error"},
    };
    for (const auto& c : cases) {
        PutLibrary(c.file);
        desktop_.shown.clear();
        EXPECT_EQ(Query(), -1) << c.file;
        EXPECT_EQ(desktop_.shown, std::vector<std::string>{c.message}) << c.file;
    }
    // Without uWrite the query still works, the write does not.
    PutLibrary("exports: OpenDeviceX GetPrinterInternalID CloseDevice GetDescriptor");
    desktop_.shown.clear();
    EXPECT_EQ(Query(), 3);
    EXPECT_FALSE(Write(2));
    EXPECT_EQ(desktop_.shown, std::vector<std::string>{"open function error"});
    RemoveLibrary();
    desktop_.shown.clear();
    EXPECT_EQ(Query(), -1);
    EXPECT_FALSE(Write(2));
    EXPECT_EQ(desktop_.shown,
              (std::vector<std::string>{"Can not load KxUsbInt.dll", "Can not load KxUsbInt.dll"}));
}

TEST_F(UsbOnSim, LibraryInTheSystemDirectoryIsFound) {
    RemoveLibrary();
    // A 32-bit program on a 64-bit machine finds system libraries in SysWOW64.
    const auto dir = temp_.machine().HostPath("C:\\Windows\\SysWOW64");
    ASSERT_FALSE(dir.empty());
    std::ofstream(dir / "KxUsbInt.dll") << "";
    Attach(2);
    EXPECT_EQ(Query(), 2);
}

TEST_F(UsbOnSim, WriteSendsTheIdCommandAndThePrinterKeepsTheNewId) {
    Attach(0);
    ASSERT_TRUE(Write(3));
    ASSERT_EQ(Printers().size(), 1u);
    const std::string expected("\x1B\x23\x23\x53\x45\x54\x1D\x49\x20\x02", 10);
    EXPECT_EQ(Printers()[0].received, expected);
    EXPECT_EQ(Printers()[0].internalId, 2);
    EXPECT_EQ(Query(), 2);
}

TEST_F(UsbOnSim, WriteRefusesPortsOutsideOneToEightSilently) {
    Attach(0);
    EXPECT_FALSE(Write(0));
    EXPECT_FALSE(Write(9));
    EXPECT_TRUE(desktop_.shown.empty());
    EXPECT_TRUE(Printers()[0].received.empty());
    EXPECT_TRUE(Write(8));
    EXPECT_EQ(Printers()[0].internalId, 7);
}

TEST_F(UsbOnSim, PrinterFaults) {
    EXPECT_FALSE(Write(1));
    EXPECT_EQ(desktop_.shown, std::vector<std::string>{"Can not find USB device."});
    Attach(4);
    sim::SetUsbPrinterFaults(temp_.machine(), 4, false, std::nullopt);
    desktop_.shown.clear();
    EXPECT_EQ(Query(), -1);
    EXPECT_EQ(desktop_.shown, std::vector<std::string>{"Get Device ID error"});
    sim::SetUsbPrinterFaults(temp_.machine(), 4, true, true);
    desktop_.shown.clear();
    EXPECT_FALSE(Write(2));
    EXPECT_EQ(desktop_.shown, std::vector<std::string>{"write ID error"});
    EXPECT_EQ(Printers()[0].internalId, 4);
}

// The check before a USB installation: the advanced road (any USB port of the model) and the
// typical one (always port 1), each with the printers attached and the answer given.
TEST_F(UsbOnSim, CheckBeforeInstall) {
    constexpr int kNoAnswer = 0;
    struct Case {
        const char* what;
        bool typical;
        const char* port;
        std::vector<int> attached;  // internal IDs
        bool writeFails;
        int answer;
        bool ok;
        std::vector<std::string> shown;
        int idAfter;  // of the first printer; -1: none attached
        bool written;
    };
    const std::string failedSet = "Failed to set Printer ID!";
    const Case cases[] = {
        {"advanced, the printer's own port", false, "USB_VTX-58R_2", {9}, false, kNoAnswer, true,
         {}, 9, false},
        {"advanced, another port, yes", false, "USB_VTX-58R_3", {0}, false, IDYES, true,
         {kChangeId}, 2, true},
        {"advanced, another port, no", false, "USB_VTX-58R_3", {0}, false, IDNO, false,
         {kChangeId}, 0, false},
        {"advanced, rewrite fails", false, "USB_VTX-58R_4", {0}, true, IDYES, false,
         {kChangeId, "write ID error", failedSet}, 0, false},
        {"advanced, no printer", false, "USB_VTX-58R_1", {}, false, kNoAnswer, false, {kNoDevice},
         -1, false},
        {"advanced, two printers", false, "USB_VTX-58R_1", {0, 1}, false, kNoAnswer, false,
         {kOnePrinter}, 0, false},
        {"typical, no printer goes on", true, "USB_VTX-58R_1", {}, false, kNoAnswer, true, {}, -1,
         false},
        {"typical, two printers", true, "USB_VTX-58R_1", {0, 0}, false, kNoAnswer, false,
         {kOnePrinter}, 0, false},
        {"typical, ID 8 is port 1", true, "USB_VTX-58R_1", {8}, false, kNoAnswer, true, {}, 8,
         false},
        {"typical, ID 0 reads back as port 1", true, "USB_VTX-58R_1", {0}, false, kNoAnswer, true,
         {}, 0, false},
        {"typical, renumbered to port 1", true, "USB_VTX-58R_1", {1}, false, IDYES, true,
         {kChangeId}, 0, true},
        {"typical, no", true, "USB_VTX-58R_1", {2}, false, IDNO, false, {kChangeId}, 2, false},
        {"typical, rewrite fails", true, "USB_VTX-58R_1", {2}, true, IDYES, false,
         {kChangeId, "write ID error"}, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::DetachUsbPrinters(temp_.machine(), std::nullopt);
        desktop_.shown.clear();
        desktop_.types.clear();
        desktop_.answers.clear();
        for (int id : c.attached) Attach(id);
        if (c.writeFails) sim::SetUsbPrinterFaults(temp_.machine(), c.attached[0], std::nullopt, true);
        if (c.answer != kNoAnswer) desktop_.answers = {c.answer};
        EXPECT_EQ(Check(c.typical, c.port), c.ok);
        EXPECT_EQ(desktop_.shown, c.shown);
        if (!c.shown.empty() && c.shown[0] == kChangeId) {
            EXPECT_EQ(desktop_.types[0] & 0xF, static_cast<std::uint32_t>(MB_YESNO));
        }
        if (c.idAfter < 0) continue;
        const auto printers = Printers();
        ASSERT_EQ(printers.size(), c.attached.size());
        EXPECT_EQ(printers[0].internalId, c.idAfter);
        if (c.written) {
            ASSERT_EQ(printers[0].received.size(), 10u);
            EXPECT_EQ(printers[0].received[9], static_cast<char>(c.idAfter));
        } else if (!c.writeFails) {
            EXPECT_TRUE(printers[0].received.empty());
        }
    }
}

}  // namespace
