// INF conformance: SetupAPI's reading of an INF file the test writes (keys, fields, quotes,
// comments, continuation, string substitution, sections in any letter case), the buffer rules
// of SetupGetStringFieldA, missing lines, wrong styles, the class of an INF and the setup
// classes by name.
#include <cstring>
#include <string>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

const char kInf[] =
    "; a test INF\r\n"
    "[Version]\r\n"
    "Signature=\"$Windows NT$\"\r\n"
    "Class=Ports\r\n"
    "ClassGuid={4D36E978-E325-11CE-BFC1-08002BE10318}\r\n"
    "Provider=%Mfg%\r\n"
    "\r\n"
    "[Manufacturer]\r\n"
    "%Mfg%=Models\r\n"
    "[models]\r\n"
    "%Port% = Install , ROOT\\QPORT, \"*QPORT\" ; the ids\r\n"
    "[Fields]\r\n"
    "quoted = \"a, b\", \"say \"\"hi\"\"\", \" pad \"\r\n"
    "joined = one, \\\r\n"
    "   two\r\n"
    "literal = C:\\dir\\file\r\n"
    "percent = 100%%, %Unknown%, %mfg%!\r\n"
    "empty = a,,c\r\n"
    "[Strings]\r\n"
    "Mfg=\"QELM\"\r\n"
    "Port=\"QELM virtual port\"\r\n";

class InfTest : public ConformanceTest {
protected:
    void SetUp() override {
        ConformanceTest::SetUp();
        if (HasFatalFailure()) return;
        WriteText("test.inf", kInf);
        inf = Dev().SetupOpenInfFileA(Path("test.inf").c_str(), INF_STYLE_WIN4, nullptr);
        ASSERT_NE(inf, plat::kInvalidInf) << LastError();
    }
    void TearDown() override {
        if (inf != plat::kInvalidInf) Dev().SetupCloseInfFile(inf);
        ConformanceTest::TearDown();
    }

    plat::DeviceInstallation& Dev() { return P().deviceInstallation(); }
    std::uint32_t LastError() { return P().lastError().GetLastError(); }
    // Fields 0..count of the first line of `section` with `key`, joined by '|'.
    std::string Line(const char* section, const char* key) {
        plat::INFCONTEXT c{};
        if (!Dev().SetupFindFirstLineA(inf, section, key, c)) return "<no line>";
        std::string out;
        for (std::uint32_t i = 0; i <= Dev().SetupGetFieldCount(c); ++i) {
            char buffer[128] = "";
            if (!Dev().SetupGetStringFieldA(c, i, buffer, sizeof buffer, nullptr))
                return "<field fails>";
            if (i) out += '|';
            out += buffer;
        }
        return out;
    }

    plat::InfHandle inf = plat::kInvalidInf;
};

TEST_F(InfTest, FieldsReadAsWritten) {
    EXPECT_EQ(Line("Fields", "quoted"), "quoted|a, b|say \"hi\"| pad ");
    EXPECT_EQ(Line("Fields", "joined"), "joined|one|two");
    EXPECT_EQ(Line("Fields", "literal"), "literal|C:\\dir\\file");
    EXPECT_EQ(Line("Fields", "percent"), "percent|100%|%Unknown%|QELM!");
    EXPECT_EQ(Line("Fields", "empty"), "empty|a||c");
    EXPECT_EQ(Line("FIELDS", "QUOTED"), "quoted|a, b|say \"hi\"| pad ");
    EXPECT_EQ(Line("Models", nullptr), "QELM virtual port|Install|ROOT\\QPORT|*QPORT");
    EXPECT_EQ(Line("Manufacturer", nullptr), "QELM|Models");
    EXPECT_EQ(Line("Version", "Provider"), "Provider|QELM");
}

TEST_F(InfTest, WalkingStopsAtTheSectionsEnd) {
    plat::INFCONTEXT c{}, next{};
    ASSERT_TRUE(Dev().SetupFindFirstLineA(inf, "Fields", nullptr, c));
    int lines = 1;
    while (Dev().SetupFindNextLine(c, next)) {
        c = next;
        ++lines;
    }
    EXPECT_EQ(LastError(), ERROR_LINE_NOT_FOUND);
    EXPECT_EQ(lines, 5);
    EXPECT_FALSE(Dev().SetupFindFirstLineA(inf, "Nowhere", nullptr, c));
    EXPECT_EQ(LastError(), ERROR_LINE_NOT_FOUND);
    EXPECT_FALSE(Dev().SetupFindFirstLineA(inf, "Version", "DriverVer", c));
    EXPECT_EQ(LastError(), ERROR_LINE_NOT_FOUND);
    ASSERT_TRUE(Dev().SetupFindFirstLineA(inf, "Version", "Signature", c));
    ASSERT_TRUE(Dev().SetupFindNextMatchLineA(c, "provider", next));
    EXPECT_EQ(Dev().SetupGetFieldCount(next), 1u);
}

TEST_F(InfTest, StringFieldsFitOrReportTheirSize) {
    plat::INFCONTEXT c{};
    ASSERT_TRUE(Dev().SetupFindFirstLineA(inf, "Manufacturer", nullptr, c));
    std::uint32_t required = 0;
    EXPECT_TRUE(Dev().SetupGetStringFieldA(c, 1, nullptr, 0, &required));
    EXPECT_EQ(required, 7u);  // "Models" and its zero
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_FALSE(Dev().SetupGetStringFieldA(c, 1, buffer, 6, &required));
    EXPECT_EQ(LastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 7u);
    EXPECT_TRUE(Dev().SetupGetStringFieldA(c, 1, buffer, 7, &required));
    EXPECT_STREQ(buffer, "Models");
    EXPECT_FALSE(Dev().SetupGetStringFieldA(c, 2, buffer, sizeof buffer, &required));
}

TEST_F(InfTest, OpeningRefusesOtherStylesAndMissingFiles) {
    WriteText("old.inf", "[Version]\r\nSignature=$Windows 2000$\r\n");
    EXPECT_EQ(Dev().SetupOpenInfFileA(Path("old.inf").c_str(), INF_STYLE_WIN4, nullptr),
              plat::kInvalidInf);
    EXPECT_EQ(LastError(), ERROR_WRONG_INF_STYLE);
    EXPECT_EQ(Dev().SetupOpenInfFileA(Path("none.inf").c_str(), INF_STYLE_WIN4, nullptr),
              plat::kInvalidInf);
    EXPECT_EQ(LastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(InfTest, TheClassComesFromVersionAndByName) {
    plat::GUID guid{};
    char name[64] = "";
    std::uint32_t required = 0;
    ASSERT_TRUE(Dev().SetupDiGetINFClassA(Path("test.inf").c_str(), guid, name, sizeof name,
                                          &required));
    EXPECT_STREQ(name, "Ports");
    EXPECT_EQ(required, 6u);
    EXPECT_EQ(guid.Data1, 0x4D36E978u);
    EXPECT_EQ(guid.Data2, 0xE325u);
    EXPECT_EQ(guid.Data4[7], 0x18);
    // Wine copies into any buffer without checking its size.
    const bool tooSmall =
        !Dev().SetupDiGetINFClassA(Path("test.inf").c_str(), guid, name, 5, &required);
    EXPECT_TRUE_EXCEPT_WINE(tooSmall && LastError() == ERROR_INSUFFICIENT_BUFFER);

    WriteText("noguid.inf", "[Version]\r\nSignature=$Chicago$\r\nClass=%C%\r\n[Strings]\r\nC=USB\r\n");
    guid.Data1 = 7;
    ASSERT_TRUE(Dev().SetupDiGetINFClassA(Path("noguid.inf").c_str(), guid, name, sizeof name,
                                          nullptr));
    // Wine reads [Version] as a profile file: no string substitution, and the GUID is left
    // as it was when ClassGUID is missing.
    EXPECT_TRUE_EXCEPT_WINE(std::string(name) == "USB");
    EXPECT_TRUE_EXCEPT_WINE(guid.Data1 == 0u);

    plat::GUID list[4]{};
    ASSERT_TRUE(Dev().SetupDiClassGuidsFromNameA("ports", list, 4, required));
    ASSERT_EQ(required, 1u);
    EXPECT_EQ(list[0].Data1, 0x4D36E978u);
}

}  // namespace
}  // namespace conformance
