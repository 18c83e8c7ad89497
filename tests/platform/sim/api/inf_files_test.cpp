// Tests of SetupAPI's INF calls on the simulated machine: opening (file errors, styles,
// signatures, syntax errors), walking lines, reading fields into buffers, the class of an INF
// and the setup classes by name.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

const char kPath[] = "C:\\Windows\\Temp\\test.inf";

const char kInf[] =
    "[Version]\n"
    "Signature=\"$Windows NT$\"\n"
    "Class=Ports\n"
    "ClassGuid={4D36E978-E325-11CE-BFC1-08002BE10318}\n"
    "Provider=%Mfg%\n"
    "[Manufacturer]\n"
    "%Mfg%=Models\n"
    "[Models]\n"
    "%Port% = Install, ROOT\\QPORT, *QPORT\n"
    "Bare\n"
    "[Copy]\n"
    "a.sys\n"
    "b.sys , , , 2\n"
    "[Strings]\n"
    "Mfg=\"QELM\"\n"
    "Port=\"QELM virtual port\"\n";

class InfFiles : public ::testing::Test {
protected:
    TempMachine m_{"windows-7-x64"};  // first: the members below are made from it

    InfFiles() : p_(m_.Process(32)), dev_(p_->deviceInstallation()) {}

    void Write(const std::string& text, const char* path = kPath) {
        ASSERT_TRUE(p_->files().WriteWholeFile(path, {text.begin(), text.end()}));
    }
    plat::InfHandle Open(const std::string& text) {
        Write(text);
        return dev_.SetupOpenInfFileA(kPath, INF_STYLE_WIN4, nullptr);
    }
    std::uint32_t Last() { return p_->lastError().GetLastError(); }
    std::string Field(const plat::INFCONTEXT& c, std::uint32_t index) {
        char buffer[256] = "";
        if (!dev_.SetupGetStringFieldA(c, index, buffer, sizeof buffer, nullptr)) return "<fail>";
        return buffer;
    }

    std::unique_ptr<sim::SimPlatform> p_;
    plat::DeviceInstallation& dev_;
};

TEST_F(InfFiles, OpeningFailsWithTheFilesOrTheInfsError) {
    std::uint32_t line = 99;
    EXPECT_EQ(dev_.SetupOpenInfFileA("C:\\Windows\\Temp\\none.inf", INF_STYLE_WIN4, &line),
              plat::kInvalidInf);
    EXPECT_EQ(Last(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(dev_.SetupOpenInfFileA("C:\\NoDir\\none.inf", INF_STYLE_WIN4, &line),
              plat::kInvalidInf);
    EXPECT_EQ(Last(), ERROR_PATH_NOT_FOUND);

    EXPECT_EQ(Open("[Version]\nSignature=$Windows 2000$\n"), plat::kInvalidInf);
    EXPECT_EQ(Last(), ERROR_WRONG_INF_STYLE);
    EXPECT_EQ(Open("[Strings]\nx=1\n"), plat::kInvalidInf);
    EXPECT_EQ(Last(), ERROR_WRONG_INF_STYLE);
    Write(kInf);
    EXPECT_EQ(dev_.SetupOpenInfFileA(kPath, INF_STYLE_OLDNT, nullptr), plat::kInvalidInf);
    EXPECT_EQ(Last(), ERROR_WRONG_INF_STYLE);

    Write("[Version]\nSignature=$Chicago$\n\n[Bad\n");
    EXPECT_EQ(dev_.SetupOpenInfFileA(kPath, INF_STYLE_WIN4, &line), plat::kInvalidInf);
    EXPECT_EQ(Last(), ERROR_BAD_SECTION_NAME_LINE);
    EXPECT_EQ(line, 4u);

    // The road through: a good file opens, and its error line is 0.
    Write(kInf);
    const plat::InfHandle inf = dev_.SetupOpenInfFileA(kPath, INF_STYLE_WIN4, &line);
    EXPECT_NE(inf, plat::kInvalidInf);
    EXPECT_EQ(line, 0u);
    dev_.SetupCloseInfFile(inf);
}

TEST_F(InfFiles, LinesAreWalkedWithinTheirSection) {
    const plat::InfHandle inf = Open(kInf);
    ASSERT_NE(inf, plat::kInvalidInf);
    plat::INFCONTEXT c{}, next{};
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "copy", nullptr, c));
    EXPECT_EQ(dev_.SetupGetFieldCount(c), 1u);
    EXPECT_EQ(Field(c, 1), "a.sys");
    ASSERT_TRUE(dev_.SetupFindNextLine(c, next));
    EXPECT_EQ(dev_.SetupGetFieldCount(next), 4u);
    EXPECT_EQ(Field(next, 4), "2");
    EXPECT_EQ(Field(next, 2), "");
    // The section's end, not the next section's first line.
    EXPECT_FALSE(dev_.SetupFindNextLine(next, c));
    EXPECT_EQ(Last(), ERROR_LINE_NOT_FOUND);

    EXPECT_FALSE(dev_.SetupFindFirstLineA(inf, "Nowhere", nullptr, c));
    EXPECT_EQ(Last(), ERROR_LINE_NOT_FOUND);
    EXPECT_FALSE(dev_.SetupFindFirstLineA(inf, "Version", "DriverVer", c));
    EXPECT_EQ(Last(), ERROR_LINE_NOT_FOUND);
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "VERSION", "classguid", c));
    EXPECT_EQ(Field(c, 1), "{4D36E978-E325-11CE-BFC1-08002BE10318}");
    // A key matched after substitution, and the next match after it.
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "Version", "Signature", c));
    EXPECT_TRUE(dev_.SetupFindNextMatchLineA(c, "Provider", next));
    EXPECT_EQ(Field(next, 1), "QELM");
    EXPECT_FALSE(dev_.SetupFindNextMatchLineA(next, "Class", c));
    EXPECT_EQ(Last(), ERROR_LINE_NOT_FOUND);
    dev_.SetupCloseInfFile(inf);
}

TEST_F(InfFiles, TheFirstHardwareIdOfTheFirstModelIsFoundThroughManufacturer) {
    const plat::InfHandle inf = Open(kInf);
    plat::INFCONTEXT maker{}, model{}, bare{};
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "Manufacturer", nullptr, maker));
    EXPECT_EQ(Field(maker, 0), "QELM");
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, Field(maker, 1).c_str(), nullptr, model));
    EXPECT_EQ(Field(model, 0), "QELM virtual port");
    EXPECT_EQ(dev_.SetupGetFieldCount(model), 3u);
    EXPECT_EQ(Field(model, 2), "ROOT\\QPORT");
    EXPECT_EQ(Field(model, 3), "*QPORT");
    // A field the line does not have, and the key of a line without one.
    EXPECT_EQ(Field(model, 4), "<fail>");
    EXPECT_EQ(Last(), ERROR_INVALID_PARAMETER);
    ASSERT_TRUE(dev_.SetupFindNextLine(model, bare));
    EXPECT_EQ(Field(bare, 1), "Bare");
    EXPECT_EQ(Field(bare, 0), "<fail>");
    EXPECT_EQ(Last(), ERROR_INVALID_PARAMETER);
    dev_.SetupCloseInfFile(inf);
}

TEST_F(InfFiles, StringFieldsFitTheirBufferOrReportTheSizeNeeded) {
    const plat::InfHandle inf = Open(kInf);
    plat::INFCONTEXT c{};
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "Manufacturer", nullptr, c));
    // Field 0 is "QELM": five characters with its zero.
    std::uint32_t required = 0;
    EXPECT_TRUE(dev_.SetupGetStringFieldA(c, 0, nullptr, 0, &required));
    EXPECT_EQ(required, 5u);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    required = 0;
    EXPECT_FALSE(dev_.SetupGetStringFieldA(c, 0, buffer, 4, &required));
    EXPECT_EQ(Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 5u);
    EXPECT_EQ(buffer[0], '#');  // nothing written
    EXPECT_TRUE(dev_.SetupGetStringFieldA(c, 0, buffer, 5, &required));
    EXPECT_STREQ(buffer, "QELM");
    EXPECT_EQ(buffer[5], '#');
    EXPECT_TRUE(dev_.SetupGetStringFieldA(c, 1, buffer, 7, nullptr));
    EXPECT_STREQ(buffer, "Models");
    dev_.SetupCloseInfFile(inf);
}

TEST_F(InfFiles, ContextsOfClosedOrStrangeHandlesAreRefused) {
    const plat::InfHandle inf = Open(kInf);
    plat::INFCONTEXT c{}, next{};
    ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "Copy", nullptr, c));
    plat::INFCONTEXT beyond = c;
    beyond.Line = 1000;
    EXPECT_EQ(dev_.SetupGetFieldCount(beyond), 0u);
    EXPECT_EQ(Last(), ERROR_INVALID_HANDLE);
    beyond = c;
    beyond.Section = 1000;
    EXPECT_EQ(Field(beyond, 1), "<fail>");
    EXPECT_EQ(Last(), ERROR_INVALID_HANDLE);
    dev_.SetupCloseInfFile(inf);
    EXPECT_EQ(Field(c, 1), "<fail>");
    EXPECT_EQ(Last(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(dev_.SetupFindNextLine(c, next));
    EXPECT_FALSE(dev_.SetupFindFirstLineA(inf, "Copy", nullptr, next));
    EXPECT_EQ(Last(), ERROR_INVALID_HANDLE);
    dev_.SetupCloseInfFile(inf);  // closing twice does no harm
}

TEST_F(InfFiles, TheClassOfAnInfComesFromItsVersionSection) {
    Write(kInf);
    plat::GUID guid{};
    char name[64] = "";
    std::uint32_t required = 0;
    ASSERT_TRUE(dev_.SetupDiGetINFClassA(kPath, guid, name, sizeof name, &required));
    EXPECT_STREQ(name, "Ports");
    EXPECT_EQ(required, 6u);
    EXPECT_EQ(guid.Data1, 0x4D36E978u);
    EXPECT_EQ(guid.Data4[7], 0x18);

    // Class name just fitting, then one byte short.
    EXPECT_TRUE(dev_.SetupDiGetINFClassA(kPath, guid, name, 6, &required));
    EXPECT_FALSE(dev_.SetupDiGetINFClassA(kPath, guid, name, 5, &required));
    EXPECT_EQ(Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 6u);

    // A class name from [Strings] without a GUID gives the null GUID.
    Write("[Version]\nSignature=$Chicago$\nClass=%Cls%\n[Strings]\nCls=USB\n");
    guid.Data1 = 7;
    ASSERT_TRUE(dev_.SetupDiGetINFClassA(kPath, guid, name, sizeof name, nullptr));
    EXPECT_STREQ(name, "USB");
    const plat::GUID null{};
    EXPECT_EQ(std::memcmp(&guid, &null, sizeof guid), 0);

    // A GUID alone names its class.
    Write("[Version]\nSignature=$Chicago$\nClassGUID={36FC9E60-C465-11CF-8056-444553540000}\n");
    ASSERT_TRUE(dev_.SetupDiGetINFClassA(kPath, guid, name, sizeof name, nullptr));
    EXPECT_STREQ(name, "USB");

    Write("[Version]\nSignature=$Chicago$\n");
    EXPECT_FALSE(dev_.SetupDiGetINFClassA(kPath, guid, name, sizeof name, nullptr));
    EXPECT_EQ(Last(), ERROR_INVALID_CLASS);
    Write("[Version]\nClass=Ports\n");
    EXPECT_FALSE(dev_.SetupDiGetINFClassA(kPath, guid, name, sizeof name, nullptr));
    EXPECT_EQ(Last(), ERROR_WRONG_INF_STYLE);
    EXPECT_FALSE(dev_.SetupDiGetINFClassA("C:\\Windows\\Temp\\none.inf", guid, name, 64, nullptr));
    EXPECT_EQ(Last(), ERROR_FILE_NOT_FOUND);
}

TEST_F(InfFiles, SetupClassesAreFoundByName) {
    plat::GUID list[2]{};
    std::uint32_t required = 99;
    EXPECT_FALSE(dev_.SetupDiClassGuidsFromNameA("ports", list, 0, required));
    EXPECT_EQ(Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 1u);
    ASSERT_TRUE(dev_.SetupDiClassGuidsFromNameA("ports", list, 1, required));
    EXPECT_EQ(required, 1u);
    EXPECT_EQ(list[0].Data1, 0x4D36E978u);
    ASSERT_TRUE(dev_.SetupDiClassGuidsFromNameA("USB", list, 2, required));
    EXPECT_EQ(list[0].Data1, 0x36FC9E60u);
    EXPECT_TRUE(dev_.SetupDiClassGuidsFromNameA("NoSuchClass", list, 2, required));
    EXPECT_EQ(required, 0u);
}

// The package's own INF files, in both driver directories, read as the device installer reads
// them: its class, and the hardware ids of the models its [Manufacturer] line names.
class PackageInfs : public InfFiles, public ::testing::WithParamInterface<const char*> {
protected:
    void Load(const char* name) {
        const std::filesystem::path host =
            std::filesystem::path(PKG_SOURCE_DIR) / "examples/package/USBDrv" / GetParam() / name;
        std::ifstream in(host, std::ios::binary);
        ASSERT_TRUE(in) << host;
        Write(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    // Field 2 of every line of the models section that [Manufacturer]'s first line names.
    std::vector<std::string> HardwareIds(plat::InfHandle inf) {
        std::vector<std::string> ids;
        plat::INFCONTEXT maker{}, model{};
        if (!dev_.SetupFindFirstLineA(inf, "Manufacturer", nullptr, maker)) return ids;
        bool more = dev_.SetupFindFirstLineA(inf, Field(maker, 1).c_str(), nullptr, model);
        while (more) {
            ids.push_back(Field(model, 2));
            more = dev_.SetupFindNextLine(model, model);
        }
        return ids;
    }
    std::string ClassOf(std::uint32_t& guidData1) {
        plat::GUID guid{};
        char name[64] = "";
        if (!dev_.SetupDiGetINFClassA(kPath, guid, name, sizeof name, nullptr)) return "<fail>";
        guidData1 = guid.Data1;
        return name;
    }
};

const std::vector<std::string> kPrinterIds = {
    "USB\\VID_5A5A&PID_5A5A", "USB\\VID_04ce&PID_04ce", "USB\\VID_5a5a&PID_1000",
    "USB\\VID_5a5a&PID_1001", "USB\\VID_0AA7&PID_030A"};

// The network printers' virtual port is one root device of the Ports class; the USB INFs list
// the printers' hardware ids, in the Ports class and in the USB class.
TEST_P(PackageInfs, ClassAndHardwareIdsOfEachInf) {
    struct Case {
        const char* file;
        const char* cls;
        std::uint32_t classData1;
        std::vector<std::string> ids;
        bool namesTheDisk;  // [Strings] Disk names the package's driver
    };
    const Case cases[] = {
        {"NKXVCOM.INF", "Ports", 0x4D36E978u, {"root\\nkxvcom"}, false},
        {"USBVCOM.INF", "Ports", 0x4D36E978u, kPrinterIds, true},
        {"WNZK450USB.INF", "USB", 0x36FC9E60u, kPrinterIds, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Load(c.file);
        std::uint32_t data1 = 0;
        EXPECT_EQ(ClassOf(data1), c.cls);
        EXPECT_EQ(data1, c.classData1);
        const plat::InfHandle inf = dev_.SetupOpenInfFileA(kPath, INF_STYLE_WIN4, nullptr);
        ASSERT_NE(inf, plat::kInvalidInf);
        EXPECT_EQ(HardwareIds(inf), c.ids);
        if (c.namesTheDisk) {
            plat::INFCONTEXT context{};
            ASSERT_TRUE(dev_.SetupFindFirstLineA(inf, "Strings", "Disk", context));
            EXPECT_NE(Field(context, 1).find("QELM Printer Driver"), std::string::npos);
        }
        dev_.SetupCloseInfFile(inf);
    }
}

INSTANTIATE_TEST_SUITE_P(BothWordSizes, PackageInfs,
                         ::testing::Values("USBDriver", "USBDriver_x64"));

}  // namespace
