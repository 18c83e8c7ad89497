// The plug-in object: its interfaces, GetInfo, PublishDriverInterface, CommonUIProp,
// QueryColorProfile, the property-sheet reasons and the unimplemented slots.
#include "tests/plugin/com/ComFrameTest.h"

#include <cstring>
#include <string>

#include "tests/plugin/com/FakeDriver.h"

namespace {

using namespace plugin;
using comtest::ComFrameTest;
using testdriver::FakeDriver;

TEST_F(ComFrameTest, PluginAnswersForIUnknownAndIPrintOemUIOnly) {
    com::IPrintOemUI* plugin = Plugin();
    void* out = nullptr;
    EXPECT_EQ(plugin->QueryInterface(com::IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, plugin);
    static_cast<com::IUnknown*>(out)->Release();
    EXPECT_EQ(plugin->QueryInterface(com::IID_IPrintOemDriverUI, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    plugin->Release();
}

struct GetInfoCase {
    const char* name;
    com::DWORD mode;
    com::DWORD bufferSize;
    bool withBuffer;
    bool withNeeded;
    com::HRESULT result;
    std::uint32_t lastError;
    com::DWORD needed;     // meaningful when withNeeded
    std::uint32_t value;   // written on success
};

class GetInfoTest : public ComFrameTest, public testing::WithParamInterface<GetInfoCase> {};

TEST_P(GetInfoTest, AnswersPerMode) {
    const GetInfoCase& c = GetParam();
    com::IPrintOemUI* plugin = Plugin();
    std::uint8_t buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    com::DWORD needed = 0xDEAD;
    platform->lastError().SetLastError(0);
    EXPECT_EQ(plugin->GetInfo(c.mode, c.withBuffer ? buffer : nullptr, c.bufferSize,
                              c.withNeeded ? &needed : nullptr),
              c.result);
    EXPECT_EQ(LastError(), c.lastError);
    if (c.withNeeded) {
        EXPECT_EQ(needed, c.needed);
    }
    if (c.result == S_OK) {
        std::uint32_t value;
        std::memcpy(&value, buffer, 4);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(buffer[4], 0xEE);  // nothing beyond the four bytes
    }
    plugin->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GetInfoTest,
    testing::Values(
        GetInfoCase{"Signature", 1, 4, true, true, S_OK, 0, 4, 0x51454C4D},
        GetInfoCase{"Version", 3, 8, true, true, S_OK, 0, 4, 1},
        GetInfoCase{"InterfaceVersionRefused", 2, 4, true, true, E_FAIL, ERROR_INVALID_PARAMETER,
                    0xDEAD, 0},
        GetInfoCase{"UnknownMode", 9, 4, true, true, E_FAIL, ERROR_INVALID_PARAMETER, 0xDEAD, 0},
        GetInfoCase{"NoNeededPointer", 1, 4, true, false, E_FAIL, ERROR_INVALID_PARAMETER, 0, 0},
        GetInfoCase{"ThreeByteBufferStillReportsFour", 1, 3, true, true, E_FAIL,
                    ERROR_INSUFFICIENT_BUFFER, 4, 0},
        GetInfoCase{"NoBuffer", 3, 4, false, true, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4, 0},
        GetInfoCase{"PublisherInfoNotSupported", 4, 4, true, true, E_FAIL, ERROR_NOT_SUPPORTED, 0,
                    0}),
    [](const testing::TestParamInfo<GetInfoCase>& info) { return std::string(info.param.name); });

TEST_F(ComFrameTest, PublishDriverInterfaceKeepsTheFirstDriver) {
    com::IPrintOemUI* plugin = Plugin();
    FakeDriver first, second;
    EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
    EXPECT_EQ(first.references, 2u);
    EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
    EXPECT_EQ(second.queries, 0);
    EXPECT_EQ(static_cast<OemUiPlugin*>(plugin)->driver(), &first);
    plugin->Release();
    EXPECT_EQ(first.references, 1u);  // released with the object
    EXPECT_EQ(second.references, 1u);
}

TEST_F(ComFrameTest, PublishDriverInterfaceFailsForAnObjectWithoutIt) {
    com::IPrintOemUI* plugin = Plugin();
    FakeDriver stranger(false);
    EXPECT_EQ(plugin->PublishDriverInterface(&stranger), E_FAIL);
    EXPECT_EQ(static_cast<OemUiPlugin*>(plugin)->driver(), nullptr);
    EXPECT_EQ(plugin->PublishDriverInterface(nullptr), E_FAIL);
    // A later driver is still taken.
    FakeDriver driver;
    EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
    plugin->Release();
    EXPECT_EQ(driver.references, 1u);
}

TEST_F(ComFrameTest, CommonUIPropStoresTheParameterAndAddsNoItems) {
    com::IPrintOemUI* plugin = Plugin();
    auto* object = static_cast<OemUiPlugin*>(plugin);
    com::OEMCUIPPARAM param{};
    param.cOEMOptItems = 7;
    EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_DOCPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 7u);  // document mode touches nothing
    EXPECT_EQ(object->docSheet().commonUIParam, &param);
    EXPECT_EQ(object->deviceSheet().commonUIParam, &param);

    EXPECT_EQ(plugin->CommonUIProp(OEMCUIP_PRNPROP, &param), S_OK);
    EXPECT_EQ(param.cOEMOptItems, 0u);

    platform->lastError().SetLastError(0);
    com::OEMCUIPPARAM other{};
    EXPECT_EQ(plugin->CommonUIProp(3, &other), E_FAIL);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(object->docSheet().commonUIParam, &other);  // stored before the mode is looked at
    plugin->Release();
}

TEST_F(ComFrameTest, QueryColorProfileNamesTheDeviceProfile) {
    com::IPrintOemUI* plugin = Plugin();
    std::uint8_t buffer[40];
    com::ULONG size = 31;
    com::ULONG flags = 0;
    EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                        buffer, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));

    size = 100;
    EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                        nullptr, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, 32u);

    std::memset(buffer, 0xEE, sizeof buffer);
    size = 32;
    EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                        buffer, &size, &flags),
              S_OK);
    const char name[] = "OEMPROFILE.icm";
    for (std::size_t i = 0; i < sizeof name; ++i) {  // UTF-16LE, terminator included
        EXPECT_EQ(buffer[2 * i], static_cast<std::uint8_t>(name[i]));
        EXPECT_EQ(buffer[2 * i + 1], 0);
    }
    EXPECT_EQ(size, 32u);
    EXPECT_EQ(flags, static_cast<com::ULONG>(QCP_PROFILEDISK));

    size = 5;
    flags = 0;
    EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_SOURCEPROFILE,
                                        buffer, &size, &flags),
              E_FAIL);
    EXPECT_EQ(size, 5u);  // other query modes touch nothing
    EXPECT_EQ(flags, 0u);
    plugin->Release();
}

struct SheetReasonCase {
    const char* name;
    bool document;
    com::WORD reason;
};

class SheetReasonTest : public ComFrameTest, public testing::WithParamInterface<SheetReasonCase> {
protected:
    com::HRESULT Call(com::IPrintOemUI* plugin, com::PROPSHEETUI_INFO* info, com::LPARAM lParam) {
        return GetParam().document ? plugin->DocumentPropertySheets(info, lParam)
                                   : plugin->DevicePropertySheets(info, lParam);
    }
};

TEST_P(SheetReasonTest, AnswersTheReason) {
    com::IPrintOemUI* plugin = Plugin();
    com::PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = GetParam().reason;
    info.Result = 0xBAD;

    com::PROPSHEETUI_INFO_HEADER header{};
    com::SETRESULT_INFO setResult{};
    setResult.Result = 42;
    com::LPARAM lParam = 1234;
    if (info.Reason == PROPSHEETUI_REASON_GET_INFO_HEADER)
        lParam = reinterpret_cast<com::LPARAM>(&header);
    if (info.Reason == PROPSHEETUI_REASON_SET_RESULT)
        lParam = reinterpret_cast<com::LPARAM>(&setResult);

    ASSERT_EQ(Call(plugin, &info, lParam), S_OK);
    switch (info.Reason) {
        case PROPSHEETUI_REASON_GET_INFO_HEADER:
            EXPECT_EQ(info.Result, 1u);
            ASSERT_NE(header.pTitle, nullptr);
            EXPECT_EQ(std::u16string(header.pTitle), u"OEM UI Page");
            break;
        case PROPSHEETUI_REASON_DESTROY: EXPECT_EQ(info.Result, 1u); break;
        case PROPSHEETUI_REASON_SET_RESULT: EXPECT_EQ(info.Result, 42u); break;
        case PROPSHEETUI_REASON_GET_ICON: EXPECT_EQ(info.Result, 0u); break;
        default: EXPECT_EQ(info.Result, 1234u); break;
    }
    plugin->Release();
}

INSTANTIATE_TEST_SUITE_P(
    BothSheets, SheetReasonTest,
    testing::Values(SheetReasonCase{"DocumentHeader", true, 1},
                    SheetReasonCase{"DocumentDestroy", true, 2},
                    SheetReasonCase{"DocumentSetResult", true, 3},
                    SheetReasonCase{"DocumentIcon", true, 4},
                    SheetReasonCase{"DocumentOtherReason", true, 5},
                    SheetReasonCase{"DeviceHeader", false, 1},
                    SheetReasonCase{"DeviceDestroy", false, 2},
                    SheetReasonCase{"DeviceSetResult", false, 3},
                    SheetReasonCase{"DeviceIcon", false, 4},
                    SheetReasonCase{"DeviceOtherReason", false, 77}),
    [](const testing::TestParamInfo<SheetReasonCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(ComFrameTest, SheetsRefuseAMissingOrOtherVersionInfo) {
    com::IPrintOemUI* plugin = Plugin();
    com::PROPSHEETUI_INFO info{};
    info.Version = 0x0101;
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    for (bool document : {true, false}) {
        platform->lastError().SetLastError(0);
        EXPECT_EQ(document ? plugin->DocumentPropertySheets(&info, 0)
                           : plugin->DevicePropertySheets(&info, 0),
                  E_FAIL);
        EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
        platform->lastError().SetLastError(0);
        EXPECT_EQ(document ? plugin->DocumentPropertySheets(nullptr, 0)
                           : plugin->DevicePropertySheets(nullptr, 0),
                  E_FAIL);
        EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    }
    plugin->Release();
}

TEST_F(ComFrameTest, SheetInitRecordsTheSheetAndTheDriver) {
    com::IPrintOemUI* plugin = Plugin();
    auto* object = static_cast<OemUiPlugin*>(plugin);
    FakeDriver driver;
    ASSERT_EQ(plugin->PublishDriverInterface(&driver), S_OK);
    com::OEMUIPSPARAM sheetParam{};
    com::PROPSHEETUI_INFO info{};
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = &sheetParam;  // any distinct handle
    info.lParamInit = reinterpret_cast<com::LPARAM>(&sheetParam);

    // The info carries no sheet callback, so no page can be added (PluginPageHostTest adds them).
    ASSERT_EQ(plugin->DocumentPropertySheets(&info, 99), S_OK);
    EXPECT_EQ(info.Result, 0u);
    EXPECT_EQ(object->docSheet().sheet, &sheetParam);
    EXPECT_EQ(object->docSheet().sheetParam, &sheetParam);
    EXPECT_EQ(object->docSheet().driver, &driver);

    ASSERT_EQ(plugin->DevicePropertySheets(&info, 99), S_OK);
    EXPECT_EQ(info.Result, 99u);
    EXPECT_EQ(object->deviceSheet().sheet, &sheetParam);
    EXPECT_EQ(object->deviceSheet().driver, &driver);
    EXPECT_EQ(object->deviceSheet().lastPage, nullptr);  // the last addition's answer: none
    EXPECT_EQ(object->documentPages().pageCount(), 0u);
    EXPECT_EQ(object->devicePages().pageCount(), 0u);
    plugin->Release();
}

TEST_F(ComFrameTest, UnimplementedSlotsSayNotImplemented) {
    com::IPrintOemUI* plugin = Plugin();
    com::DWORD result = 0;
    EXPECT_EQ(plugin->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->DeviceCapabilities(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                                         0, &result),
              E_NOTIMPL);
    EXPECT_EQ(plugin->UpgradePrinter(1, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->PrinterEvent(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin->DriverEvent(0, 0, nullptr, 0), E_NOTIMPL);
    EXPECT_EQ(plugin->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
    plugin->Release();
}

}  // namespace
