// The spooler's forms as the paper-size item lists them.
#include "tools/driverui/SpoolerForms.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/forms.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using namespace driverui;

// An EnumFormsW answer made by hand: the records, then the names.
struct Answer {
    std::vector<plat::FORM_INFO_1W> storage;
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(storage.data()); }
    std::uint32_t size() const {
        return static_cast<std::uint32_t>(storage.size() * sizeof(plat::FORM_INFO_1W));
    }
    explicit Answer(const std::vector<std::u16string>& names) {
        std::size_t nameUnits = 0;
        for (const auto& n : names) nameUnits += n.size() + 1;
        const std::size_t total = names.size() * sizeof(plat::FORM_INFO_1W) + 2 * nameUnits;
        storage.resize(total / sizeof(plat::FORM_INFO_1W) + 1);
        auto* at = bytes() + names.size() * sizeof(plat::FORM_INFO_1W);
        for (std::size_t i = 0; i < names.size(); ++i) {
            storage[i].pName = reinterpret_cast<char16_t*>(at);
            std::memcpy(at, names[i].c_str(), 2 * (names[i].size() + 1));
            at += 2 * (names[i].size() + 1);
        }
    }
};

TEST(FormsOfEnumeration, NumbersTheFormsFromOneInTheSpoolersOrder) {
    Answer answer({u"Letter", u"Legal", u"A4"});
    std::vector<FormChoice> forms = FormsOfEnumeration(answer.bytes(), answer.size(), 3);
    ASSERT_EQ(forms.size(), 3u);
    EXPECT_EQ(forms[2].name, u"A4");
    EXPECT_EQ(forms[2].paperSize, 3);
}

TEST(FormsOfEnumeration, StopsAtANameOutsideTheAnswer) {
    Answer answer({u"Letter", u"Legal"});
    char16_t elsewhere[] = u"Elsewhere";
    answer.storage[1].pName = elsewhere;
    EXPECT_EQ(FormsOfEnumeration(answer.bytes(), answer.size(), 2).size(), 1u);
    // A count beyond the records the buffer holds.
    Answer small({u"A4"});
    EXPECT_EQ(FormsOfEnumeration(small.bytes(), sizeof(plat::FORM_INFO_1W) + 6, 5).size(), 1u);
    // A name whose terminator lies past the buffer's end: cut the buffer inside "A4".
    EXPECT_TRUE(FormsOfEnumeration(small.bytes(), sizeof(plat::FORM_INFO_1W) + 4, 1).empty());
}

TEST(ListSpoolerForms, ListsTheBuiltInFormsAndTheUsersOnTheSimulatedSpooler) {
    testsupport::TempMachine machine;
    auto process = machine.Process(64);
    plat::PrinterHandle printer = 0;
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "Receipt", "", error)) << error;
    ASSERT_TRUE(process->rawPrinting().OpenPrinterW(u"Receipt", printer));
    plat::FORM_INFO_1W custom{};
    char16_t name[] = u"Custom Paper-ZK450i";
    custom.pName = name;
    custom.Size = {72000, 297000};
    custom.ImageableArea = {0, 0, 72000, 297000};
    ASSERT_TRUE(process->forms().AddFormW(printer, 1, custom));

    auto forms = ListSpoolerForms(*process, printer);
    ASSERT_TRUE(forms);
    ASSERT_GT(forms->size(), 9u);
    EXPECT_EQ((*forms)[0].name, u"Letter");  // DMPAPER_LETTER 1
    EXPECT_EQ((*forms)[8].name, u"A4");      // DMPAPER_A4 9
    EXPECT_EQ(forms->back().name, u"Custom Paper-ZK450i");
    EXPECT_EQ(forms->back().paperSize, forms->size());
}

}  // namespace
