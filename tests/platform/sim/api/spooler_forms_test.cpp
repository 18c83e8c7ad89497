// The simulated spooler's forms: the built-in paper sizes of a new machine, user forms added,
// changed and deleted with Windows' refusals, buffer sizing, rights, a stopped spooler and faults.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/state/code_page.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "tests/support/host_files.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

struct Form {
    std::u16string name;
    std::uint32_t flags = 0;
    std::int32_t cx = 0, cy = 0, left = 0, top = 0, right = 0, bottom = 0;
};

// A 64-bit program on Windows 7 x64 with the printer "VTX-80R" open.
struct Forms {
    explicit Forms(const char* preset = "windows-7-x64") : m(preset) {
        std::string error;
        EXPECT_TRUE(sim::AddSimPrinter(m.machine(), "VTX-80R", "USB001", error)) << error;
        p = m.Process(64);
        EXPECT_TRUE(p->rawPrinting().OpenPrinterW(u"VTX-80R", printer));
    }

    plat::Forms& forms() { return p->forms(); }
    std::uint32_t Result(bool ok) { return ok ? 0 : p->lastError().GetLastError(); }

    // A user form over the whole sheet, as the custom paper sizes are made.
    std::uint32_t Add(const char16_t* name, std::int32_t cx, std::int32_t cy,
                      std::uint32_t level = 1) {
        plat::FORM_INFO_1W info{FORM_USER, const_cast<char16_t*>(name), {cx, cy}, {0, 0, cx, cy}};
        return Result(forms().AddFormW(printer, level, info));
    }
    std::uint32_t Set(const char16_t* name, std::int32_t cx, std::int32_t cy) {
        plat::FORM_INFO_1W info{FORM_USER, const_cast<char16_t*>(u"ignored"), {cx, cy},
                                {0, 0, cx, cy}};
        return Result(forms().SetFormW(printer, name, 1, info));
    }
    std::uint32_t Delete(const char16_t* name) { return Result(forms().DeleteFormW(printer, name)); }

    // Every form, sized first as programs do; fails the test when the enumeration fails.
    std::vector<Form> List() {
        std::uint32_t needed = 0, returned = 0;
        EXPECT_FALSE(forms().EnumFormsW(printer, 1, nullptr, 0, needed, returned));
        std::vector<std::uint8_t> buffer(needed);
        std::vector<Form> out;
        if (!forms().EnumFormsW(printer, 1, buffer.data(), needed, needed, returned)) {
            ADD_FAILURE() << "EnumFormsW failed with " << p->lastError().GetLastError();
            return out;
        }
        for (std::uint32_t i = 0; i < returned; ++i) {
            plat::FORM_INFO_1W r;
            std::memcpy(&r, buffer.data() + i * sizeof r, sizeof r);
            out.push_back({r.pName, r.Flags, r.Size.cx, r.Size.cy, r.ImageableArea.left,
                           r.ImageableArea.top, r.ImageableArea.right, r.ImageableArea.bottom});
        }
        return out;
    }
    const Form* Find(const std::vector<Form>& forms, const std::u16string& name) {
        for (const Form& f : forms)
            if (f.name == name) return &f;
        return nullptr;
    }

    TempMachine m;
    std::unique_ptr<sim::SimPlatform> p;
    plat::PrinterHandle printer = 0;
};

TEST(SpoolerForms, ANewMachineListsTheBuiltInFormsWithTheirTrueSizes) {
    Forms f;
    const std::vector<Form> forms = f.List();
    ASSERT_EQ(forms.size(), 41u);  // paper sizes 1 to 41 of the spooler's own list
    EXPECT_EQ(forms.front().name, u"Letter");
    EXPECT_EQ(forms.back().name, u"German Legal Fanfold");
    struct Expected {
        std::u16string name;
        std::int32_t cx, cy;  // inches or millimetres, in thousandths of a millimetre
    };
    const Expected expected[] = {
        {u"Letter", 215900, 279400},        // 8.5 x 11 in
        {u"Legal", 215900, 355600},         // 8.5 x 14 in
        {u"A4", 210000, 297000},
        {u"A5", 148000, 210000},
        {u"B5 (JIS)", 182000, 257000},
        {u"Envelope #10", 104775, 241300},  // 4 1/8 x 9 1/2 in
        {u"Envelope DL", 110000, 220000},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(sim::Utf16ToUtf8(e.name));
        const Form* form = f.Find(forms, e.name);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->flags, static_cast<std::uint32_t>(FORM_BUILTIN));
        EXPECT_EQ(form->cx, e.cx);
        EXPECT_EQ(form->cy, e.cy);
        EXPECT_EQ(form->left, 0);
        EXPECT_EQ(form->top, 0);
        EXPECT_EQ(form->right, e.cx);
        EXPECT_EQ(form->bottom, e.cy);
    }
}

TEST(SpoolerForms, TheEnumerationAsksForTheExactSizeItNeeds) {
    Forms f;
    std::uint32_t needed = 0, returned = 0;
    std::uint8_t small[32];
    EXPECT_FALSE(f.forms().EnumFormsW(f.printer, 1, small, sizeof small, needed, returned));
    EXPECT_EQ(f.p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(returned, 0u);
    // Each record, then each name with its terminator in UTF-16.
    std::uint32_t expected = 41 * sizeof(plat::FORM_INFO_1W);
    for (const sim::SimForm& form : sim::BuiltInForms())
        expected += static_cast<std::uint32_t>(2 * (form.name.size() + 1));
    EXPECT_EQ(needed, expected);
    std::vector<std::uint8_t> buffer(needed);
    std::uint32_t again = 0;
    EXPECT_FALSE(f.forms().EnumFormsW(f.printer, 1, buffer.data(), needed - 1, again, returned));
    EXPECT_EQ(again, needed);
    EXPECT_TRUE(f.forms().EnumFormsW(f.printer, 1, buffer.data(), needed, again, returned));
    EXPECT_EQ(returned, 41u);
}

TEST(SpoolerForms, UserFormsFollowTheBuiltInOnesInTheOrderTheyWereAdded) {
    Forms f;
    EXPECT_EQ(f.Add(u"Custom Paper-ZK450i", 72000, 297000), 0u);
    EXPECT_EQ(f.Add(u"Custom Paper-A", 58000, 100000), 0u);
    EXPECT_EQ(f.Add(u"Étiquette 58 × 40", 58000, 40000), 0u);  // not ASCII: kept as given
    // A 32-bit process on the machine sees them too: forms are the print server's.
    auto other = f.m.Process(32);
    plat::PrinterHandle h = 0;
    ASSERT_TRUE(other->rawPrinting().OpenPrinterW(u"vtx-80r", h));
    std::vector<std::uint8_t> buffer(8192);
    std::uint32_t needed = 0, returned = 0;
    EXPECT_TRUE(other->forms().EnumFormsW(h, 1, buffer.data(), 8192, needed, returned));
    EXPECT_EQ(returned, 44u);

    const std::vector<Form> forms = f.List();
    ASSERT_EQ(forms.size(), 44u);
    EXPECT_EQ(forms[41].name, u"Custom Paper-ZK450i");
    EXPECT_EQ(forms[42].name, u"Custom Paper-A");
    EXPECT_EQ(forms[43].name, u"Étiquette 58 × 40");
    EXPECT_EQ(forms[41].flags, static_cast<std::uint32_t>(FORM_USER));
    EXPECT_EQ(forms[41].cx, 72000);
    EXPECT_EQ(forms[41].cy, 297000);
    EXPECT_EQ(forms[41].right, 72000);
    EXPECT_EQ(forms[41].bottom, 297000);
}

TEST(SpoolerForms, AddRefusesWhatWindowsRefuses) {
    Forms f;
    ASSERT_EQ(f.Add(u"Custom Paper-ZK450i", 72000, 297000), 0u);
    struct Case {
        const char* what;
        plat::FORM_INFO_1W info;
        std::uint32_t level;
        std::uint32_t error;
    };
    char16_t name[] = u"Custom Paper-New";
    char16_t empty[] = u"";
    char16_t taken[] = u"custom paper-zk450i";
    char16_t builtIn[] = u"a4";
    const Case cases[] = {
        {"the name of a user form, in other letter case", {0, taken, {1000, 1000}, {0, 0, 1000, 1000}}, 1, ERROR_FILE_EXISTS},
        {"the name of a built-in form", {0, builtIn, {1000, 1000}, {0, 0, 1000, 1000}}, 1, ERROR_FILE_EXISTS},
        {"an empty name", {0, empty, {1000, 1000}, {0, 0, 1000, 1000}}, 1, ERROR_INVALID_FORM_NAME},
        {"no name", {0, nullptr, {1000, 1000}, {0, 0, 1000, 1000}}, 1, ERROR_INVALID_FORM_NAME},
        {"no width", {0, name, {0, 1000}, {0, 0, 0, 1000}}, 1, ERROR_INVALID_FORM_SIZE},
        {"a negative height", {0, name, {1000, -5}, {0, -5, 1000, 0}}, 1, ERROR_INVALID_FORM_SIZE},
        {"an empty imageable area", {0, name, {1000, 1000}, {500, 0, 500, 1000}}, 1, ERROR_INVALID_FORM_SIZE},
        {"the built-in flag", {FORM_BUILTIN, name, {1000, 1000}, {0, 0, 1000, 1000}}, 1, ERROR_INVALID_PARAMETER},
        {"level 3", {0, name, {1000, 1000}, {0, 0, 1000, 1000}}, 3, ERROR_INVALID_LEVEL},
        {"level 2, which is not simulated", {0, name, {1000, 1000}, {0, 0, 1000, 1000}}, 2, ERROR_NOT_SUPPORTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(f.Result(f.forms().AddFormW(f.printer, c.level, c.info)), c.error);
    }
    EXPECT_EQ(f.List().size(), 42u);  // nothing was added
    // The smallest sheet there is, and a printer's own form, are taken.
    plat::FORM_INFO_1W smallest{FORM_USER, name, {1, 1}, {0, 0, 1, 1}};
    EXPECT_EQ(f.Result(f.forms().AddFormW(f.printer, 1, smallest)), 0u);
    char16_t printerForm[] = u"Roll 80";
    plat::FORM_INFO_1W own{FORM_PRINTER, printerForm, {80000, 297000}, {3000, 0, 77000, 297000}};
    EXPECT_EQ(f.Result(f.forms().AddFormW(f.printer, 1, own)), 0u);
    const std::vector<Form> forms = f.List();
    ASSERT_EQ(forms.size(), 44u);
    EXPECT_EQ(forms[43].flags, static_cast<std::uint32_t>(FORM_PRINTER));
    EXPECT_EQ(forms[43].left, 3000);
    EXPECT_EQ(forms[43].right, 77000);
}

TEST(SpoolerForms, SetChangesAUserFormInPlaceAndRefusesBuiltInAndUnknownOnes) {
    Forms f;
    ASSERT_EQ(f.Add(u"Custom Paper-ZK450i", 72000, 297000), 0u);
    ASSERT_EQ(f.Add(u"Custom Paper-B", 41000, 25400), 0u);
    EXPECT_EQ(f.Set(u"CUSTOM PAPER-ZK450I", 58000, 100000), 0u);
    EXPECT_EQ(f.Set(u"Letter", 100000, 100000), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(f.Set(u"Custom Paper-None", 100000, 100000), static_cast<std::uint32_t>(ERROR_INVALID_FORM_NAME));
    EXPECT_EQ(f.Set(u"", 100000, 100000), static_cast<std::uint32_t>(ERROR_INVALID_FORM_NAME));
    EXPECT_EQ(f.Set(u"Custom Paper-B", 0, 100000), static_cast<std::uint32_t>(ERROR_INVALID_FORM_SIZE));

    const std::vector<Form> forms = f.List();
    ASSERT_EQ(forms.size(), 43u);
    // Same place, same name and kind; the record's own name was not used.
    EXPECT_EQ(forms[41].name, u"Custom Paper-ZK450i");
    EXPECT_EQ(forms[41].flags, static_cast<std::uint32_t>(FORM_USER));
    EXPECT_EQ(forms[41].cx, 58000);
    EXPECT_EQ(forms[41].cy, 100000);
    EXPECT_EQ(forms[41].bottom, 100000);
    EXPECT_EQ(forms[42].cx, 41000);  // the refused size left it alone
    EXPECT_EQ(f.Find(forms, u"Letter")->cx, 215900);
    EXPECT_EQ(f.Find(forms, u"ignored"), nullptr);
}

TEST(SpoolerForms, DeleteRemovesAUserFormOnceAndNeverABuiltInOne) {
    Forms f;
    ASSERT_EQ(f.Add(u"Custom Paper-A", 41000, 25400), 0u);
    ASSERT_EQ(f.Add(u"Custom Paper-B", 41000, 25400), 0u);
    EXPECT_EQ(f.Delete(u"custom paper-a"), 0u);
    EXPECT_EQ(f.Delete(u"Custom Paper-A"), static_cast<std::uint32_t>(ERROR_INVALID_FORM_NAME));
    EXPECT_EQ(f.Delete(u"A4"), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(f.Delete(nullptr), static_cast<std::uint32_t>(ERROR_INVALID_FORM_NAME));
    const std::vector<Form> forms = f.List();
    ASSERT_EQ(forms.size(), 42u);
    EXPECT_EQ(forms[41].name, u"Custom Paper-B");
    // A form added after a deletion goes to the end.
    ASSERT_EQ(f.Add(u"Custom Paper-A", 41000, 25400), 0u);
    EXPECT_EQ(f.List().back().name, u"Custom Paper-A");
}

TEST(SpoolerForms, UserFormsAreValuesOfTheFormsKey) {
    Forms f;
    ASSERT_EQ(f.Add(u"Custom Paper-ZK450i", 72000, 297000), 0u);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(f.p->registry().QueryValue(plat::RegRoot::LocalMachine,
                                         "SYSTEM\\CurrentControlSet\\Control\\Print\\Forms",
                                         "Custom Paper-ZK450i", type, data, plat::RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_BINARY));
    // cx, cy, left, top, right, bottom, order 1, FORM_USER
    const std::vector<std::uint8_t> expected = {
        0x40, 0x19, 0x01, 0x00, 0x28, 0x88, 0x04, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,
        0x40, 0x19, 0x01, 0x00, 0x28, 0x88, 0x04, 0x00, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(data, expected);
    // Built-in forms are no values there.
    EXPECT_NE(f.p->registry().QueryValue(plat::RegRoot::LocalMachine,
                                         "SYSTEM\\CurrentControlSet\\Control\\Print\\Forms",
                                         "A4", type, data, plat::RegView::Default),
              ERROR_SUCCESS);
}

TEST(SpoolerForms, ReadingIsForEveryoneChangingForAdministratorsOnly) {
    Forms f;
    ASSERT_EQ(f.Add(u"Custom Paper-A", 41000, 25400), 0u);
    sim::MachineSettings s = f.m.machine().settings();
    s.administrator = false;
    std::string error;
    ASSERT_TRUE(f.m.machine().SaveSettings(s, error)) << error;
    auto user = f.m.Process(64);
    plat::PrinterHandle h = 0;
    ASSERT_TRUE(user->rawPrinting().OpenPrinterW(u"VTX-80R", h));
    std::vector<std::uint8_t> buffer(8192);
    std::uint32_t needed = 0, returned = 0;
    EXPECT_TRUE(user->forms().EnumFormsW(h, 1, buffer.data(), 8192, needed, returned));
    EXPECT_EQ(returned, 42u);
    char16_t name[] = u"Custom Paper-B";
    plat::FORM_INFO_1W info{FORM_USER, name, {41000, 25400}, {0, 0, 41000, 25400}};
    EXPECT_FALSE(user->forms().AddFormW(h, 1, info));
    EXPECT_EQ(user->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(user->forms().SetFormW(h, u"Custom Paper-A", 1, info));
    EXPECT_EQ(user->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(user->forms().DeleteFormW(h, u"Custom Paper-A"));
    EXPECT_EQ(user->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
}

// A stopped spooler answers nothing, an unknown handle is refused, a fault fails its call and,
// aimed at one form, only the calls naming that form.
TEST(SpoolerForms, StoppedSpoolerBadHandlesAndFaultsFailEveryCall) {
    Forms f;
    ASSERT_EQ(f.Add(u"Custom Paper-A", 41000, 25400), 0u);
    std::vector<std::uint8_t> buffer(8192);
    std::uint32_t needed = 0, returned = 0;
    char16_t name[] = u"Custom Paper-B";
    const plat::FORM_INFO_1W info{FORM_USER, name, {41000, 25400}, {0, 0, 41000, 25400}};
    struct Call {
        const char* name;
        std::function<bool(plat::PrinterHandle)> run;
    };
    const std::vector<Call> calls = {
        {"EnumFormsW", [&](plat::PrinterHandle h) { return f.forms().EnumFormsW(h, 1, buffer.data(), 8192, needed, returned); }},
        {"AddFormW", [&](plat::PrinterHandle h) { return f.forms().AddFormW(h, 1, info); }},
        {"SetFormW", [&](plat::PrinterHandle h) { return f.forms().SetFormW(h, u"Custom Paper-A", 1, info); }},
        {"DeleteFormW", [&](plat::PrinterHandle h) { return f.forms().DeleteFormW(h, u"Custom Paper-A"); }},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(f.Result(c.run(0x7777)), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    }
    testsupport::WriteHostFile(f.m.machine().stateDir() / "services.txt", "Spooler stopped\n");
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(f.Result(c.run(f.printer)), static_cast<std::uint32_t>(RPC_S_SERVER_UNAVAILABLE));
    }
    testsupport::WriteHostFile(f.m.machine().stateDir() / "services.txt", "Spooler running\n");
    std::string error;
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim::AddFault(f.m.machine(), {c.name, 4321, 1, {}}, error)) << error;
        EXPECT_EQ(f.Result(c.run(f.printer)), 4321u);
    }
    ASSERT_TRUE(sim::AddFault(f.m.machine(), {"AddFormW", 1722, 0, "Custom Paper-C"}, error));
    EXPECT_EQ(f.Add(u"custom paper-c", 41000, 25400), 1722u);
    EXPECT_EQ(f.Add(u"Custom Paper-D", 41000, 25400), 0u);
}

TEST(SpoolerForms, Windows98HasNoFormCalls) {
    Forms f("windows-98");
    std::uint32_t needed = 0, returned = 0;
    EXPECT_FALSE(f.forms().EnumFormsW(f.printer, 1, nullptr, 0, needed, returned));
    EXPECT_EQ(f.p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_NOT_SUPPORTED));
}

TEST(SimCodePage, ConvertsUtf8ToUtf16) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"A4", u"A4"},
        {"Étiquette × 2", u"Étiquette × 2"},
        {"打印机", u"打印机"},
        {"\xF0\x9F\x96\xA8", u"\U0001F5A8"},        // a surrogate pair
        {"\xC3", u"\uFFFD"},                         // cut off at the end
        {"\xC0\xAF", u"\uFFFD\uFFFD"},               // an overlong slash
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},     // an encoded surrogate
        {"a\x80" "b", u"a\uFFFDb"},                  // a lone continuation byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(sim::Utf8ToUtf16(c.utf8), c.utf16);
        if (c.utf16.find(u'\uFFFD') == std::u16string::npos) {
            EXPECT_EQ(sim::Utf16ToUtf8(c.utf16), c.utf8);  // and back
        }
    }
}

}  // namespace
