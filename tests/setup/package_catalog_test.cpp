// The wizard's one reading of the package: the model list and default model, each model's
// ".PORT" rules looked up as the page switch looks them up, and that later changes to the files
// do not reach a wizard that is already running. Also the page table's order.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "setup/PackageCatalog.h"
#include "setup/WizardPageTable.h"
#include "tests/support/package_machine.h"

namespace {

using setup::ModelRules;
using setup::PackageCatalog;

std::unique_ptr<testsupport::PackageMachine> Example(const std::string& preset) {
    testsupport::PackageMachineOptions options;
    options.preset = preset;
    std::string error;
    auto machine =
        testsupport::PackageMachine::Create(testsupport::ExamplePackage(), options, error);
    EXPECT_NE(machine, nullptr) << error;
    return machine;
}

TEST(PackageCatalog, ListsTheSeriesModelsInEntryOrderWithTheDefault) {
    auto m = Example("xp-x86");
    PackageCatalog catalog = PackageCatalog::Read(m->platform(), false);
    std::vector<std::string> names;
    for (const pkg::ModelEntry& e : catalog.models()) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"VTX-58R", "VTX-80R", "VTX-T30", "VTX-L40",
                                               "VTX-L60", "VTX-E58"}));
    EXPECT_EQ(catalog.models()[3].series, pkg::kLabel);
    EXPECT_EQ(catalog.defaultModel().name, "VTX-80R");  // DEFAULTNAME=2
    EXPECT_EQ(catalog.setupIniPath(), "C:\\Pkg\\DRVCONFIG\\setup.ini");
    EXPECT_EQ(catalog.SeriesFilePath(pkg::kLabel), "C:\\Pkg\\DRVCONFIG\\setup_lable.ini");
    EXPECT_EQ(catalog.SeriesFilePath(-1), "");
}

TEST(PackageCatalog, RulesOfAModelComeFromItsPortSectionInAnyLetterCase) {
    auto m = Example("windows-7-x64");
    PackageCatalog catalog = PackageCatalog::Read(m->platform(), true);
    ModelRules receipt = catalog.RulesOf(pkg::kReceipt, "vtx-80r");
    EXPECT_TRUE(receipt.advancedSetup);
    EXPECT_EQ(receipt.baudRate, 19200);
    EXPECT_TRUE(receipt.support.nt);
    EXPECT_TRUE(receipt.support.windows7);

    ModelRules label = catalog.RulesOf(pkg::kLabel, "VTX-L60");
    EXPECT_FALSE(label.advancedSetup);
    EXPECT_EQ(label.baudRate, 115200);
    EXPECT_FALSE(label.support.nt);
    EXPECT_TRUE(label.support.server2003);
}

TEST(PackageCatalog, NoChoiceOrAModelOfAnotherSeriesGetsTheMissingSectionDefaults) {
    auto m = Example("xp-x86");
    PackageCatalog catalog = PackageCatalog::Read(m->platform(), false);
    for (const auto& [series, model] :
         std::vector<std::pair<int, std::string>>{{-1, ""}, {pkg::kTicket, "VTX-80R"}}) {
        ModelRules rules = catalog.RulesOf(series, model);
        EXPECT_FALSE(rules.advancedSetup) << model;
        EXPECT_EQ(rules.baudRate, 0) << model;
        EXPECT_FALSE(rules.support.windows7) << model;
        EXPECT_EQ(setup::OsRefusalKey(7, rules.support), std::string("IDS_NOTSUPPORTWin7"));
    }
}

TEST(PackageCatalog, ChangesAfterTheReadDoNotReachTheRunningWizard) {
    auto m = Example("xp-x86");
    PackageCatalog catalog = PackageCatalog::Read(m->platform(), false);
    ASSERT_TRUE(m->WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini",
                             "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=NEW-1-TicketPrinter\r\n"));
    ASSERT_TRUE(m->RemoveFile("C:\\Pkg\\DRVCONFIG\\setup_receipt.ini"));
    EXPECT_EQ(catalog.models().size(), 6u);
    EXPECT_TRUE(catalog.RulesOf(pkg::kReceipt, "VTX-80R").advancedSetup);
    // A new reading sees the changes.
    PackageCatalog again = PackageCatalog::Read(m->platform(), false);
    ASSERT_EQ(again.models().size(), 1u);
    EXPECT_EQ(again.models()[0].name, "NEW-1");
    EXPECT_EQ(again.defaultModel().series, -1);
}

TEST(PackageCatalog, AHugeModelCountListsTheEntriesThatExist) {
    // A count at the 32-bit limit with the example's six entries: the same list, read at once.
    for (const char* count : {"5", "7", "2147483647"}) {
        SCOPED_TRACE(count);
        auto m = Example("xp-x86");
        ASSERT_TRUE(m->platform().profile().WritePrivateProfileStringA(
            "DEVICENAME", "DEVICENUMBER", count, "C:\\Pkg\\DRVCONFIG\\setup.ini"));
        const auto start = std::chrono::steady_clock::now();
        PackageCatalog catalog = PackageCatalog::Read(m->platform(), false);
        // Going through 2^31 entries would take hours; a loaded sanitizer build takes seconds.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
        EXPECT_EQ(catalog.models().size(), std::string(count) == "5" ? 5u : 6u);
        EXPECT_EQ(catalog.models().back().name, std::string(count) == "5" ? "VTX-L60" : "VTX-E58");
        EXPECT_EQ(catalog.defaultModel().name, "VTX-80R");
    }
}

TEST(WizardPageTable, PagesInTheWizardsOrderWithOnlyTheAgreementOptional) {
    // Agreement 133, model 131, mode 137, OS 130, port 132.
    const std::vector<setup::WizardPageRow>& table = setup::WizardPageTable();
    std::vector<int> templates;
    for (const setup::WizardPageRow& row : table) templates.push_back(row.templateId);
    EXPECT_EQ(templates, (std::vector<int>{133, 131, 137, 130, 132}));
    ASSERT_EQ(table.size(), 5u);
    EXPECT_TRUE(table[0].agreementOnly);
    for (size_t i = 1; i < table.size(); ++i) EXPECT_FALSE(table[i].agreementOnly) << i;
    // The last page is left only by Install, which needs no leaving rule.
    EXPECT_EQ(table.back().leave, nullptr);
}

}  // namespace
