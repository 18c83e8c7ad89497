// Device installation: device information sets, driver binding, INF files and cabinets
// (SetupAPI, newdev).
#pragma once
#include <cstdint>
#include <functional>

#include "platform/desktop.h"

namespace plat {

// GUID, with Windows' layout (16 bytes, no padding).
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

// An open INF file (HINF); kInvalidInf is what a failed SetupOpenInfFileA returns.
using InfHandle = void*;
inline InfHandle const kInvalidInf = reinterpret_cast<InfHandle>(~std::uintptr_t{0});

// INFCONTEXT: a line of an open INF file, with Windows' layout. Only the calls below read it.
struct INFCONTEXT {
    void* Inf;
    void* CurrentInf;
    std::uint32_t Section;
    std::uint32_t Line;
};

// The records SetupIterateCabinetA hands its callback. Windows packs SetupAPI's records to one
// byte on 32-bit Windows; the Win32 side translates, so these layouts are the natural ones.

// CABINET_INFO_A: SPFILENOTIFY_CABINETINFO's param1. CabinetFile and DiskName name the next
// cabinet of a set ("" when there is none); the answer is ignored.
struct CABINET_INFO_A {
    const char* CabinetPath;
    const char* CabinetFile;
    const char* DiskName;
    std::uint16_t SetId;
    std::uint16_t CabinetNumber;
};

// FILE_IN_CABINET_INFO_A: SPFILENOTIFY_FILEINCABINET's param1 (param2 is the cabinet's path).
// The callback fills FullTargetName when it answers FILEOP_DOIT, and Win32Error with the error
// the iteration is to end with when it answers FILEOP_ABORT.
struct FILE_IN_CABINET_INFO_A {
    const char* NameInCabinet;
    std::uint32_t FileSize;
    std::uint32_t Win32Error;
    std::uint16_t DosDate;
    std::uint16_t DosTime;
    std::uint16_t DosAttribs;
    char FullTargetName[260];
};

// FILEPATHS_A: SPFILENOTIFY_FILEEXTRACTED's param1: the file written (Target) from the cabinet
// (Source). An answer other than NO_ERROR ends the iteration with that error.
struct FILEPATHS_A {
    const char* Target;
    const char* Source;
    std::uint32_t Win32Error;
    std::uint32_t Flags;
};

// The callback of SetupIterateCabinetA: a notification (SPFILENOTIFY_*) with its two
// parameters; the answer is the notification's (FILEOP_DOIT, FILEOP_SKIP, NO_ERROR, ...).
using CabinetCallback =
    std::function<std::uint32_t(std::uint32_t notification, std::uintptr_t param1,
                                 std::uintptr_t param2)>;

// A device information set (HDEVINFO); kInvalidDeviceInfoSet is what a failed creation returns.
using DeviceInfoSet = void*;
inline DeviceInfoSet const kInvalidDeviceInfoSet =
    reinterpret_cast<DeviceInfoSet>(~std::uintptr_t{0});

// SP_DEVINFO_DATA: one device of a set, with Windows' natural layout (cbSize is 28 on 32-bit
// and 32 on 64-bit Windows). DevInst names the device node; Reserved is the set's own.
struct SP_DEVINFO_DATA {
    std::uint32_t cbSize;
    GUID ClassGuid;
    std::uint32_t DevInst;
    std::uintptr_t Reserved;
};

class DeviceInstallation {
public:
    virtual ~DeviceInstallation() = default;

    // SetupIterateCabinetA(cabinetFile, 0, callback, context). Sends SPFILENOTIFY_CABINETINFO
    // once, then for each file in cabinet order SPFILENOTIFY_FILEINCABINET; a file answered
    // FILEOP_DOIT is written to the FullTargetName the callback set (created or replaced) and
    // reported with SPFILENOTIFY_FILEEXTRACTED; FILEOP_SKIP goes on with the next file.
    // True when every file was answered. False with the last error:
    //  - ERROR_FILE_NOT_FOUND: no such cabinet (also when its directory is missing);
    //  - ERROR_INVALID_DATA: the file is no cabinet, or its data is damaged (files before the
    //    damage may have been extracted);
    //  - the Win32Error the callback set when it answers FILEOP_ABORT, or its non-zero answer
    //    to SPFILENOTIFY_FILEEXTRACTED;
    //  - the error of writing the target (ERROR_PATH_NOT_FOUND when its directory is missing,
    //    ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED), which ends the iteration at that file.
    virtual bool SetupIterateCabinetA(const char* cabinetFile,
                                      const CabinetCallback& callback) = 0;

    // SetupOpenInfFileA(fileName, nullptr, style, errorLine). Reads the whole file (ANSI, or
    // UTF-16LE with its byte-order mark). kInvalidInf with the last error:
    //  - the file's own error (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ...);
    //  - ERROR_WRONG_INF_STYLE: style lacks INF_STYLE_WIN4, or [Version] has no Signature of
    //    "$Windows NT$", "$Chicago$" or "$Windows 95$";
    //  - a syntax error (ERROR_EXPECTED_SECTION_NAME, ERROR_BAD_SECTION_NAME_LINE,
    //    ERROR_SECTION_NAME_TOO_LONG), with its 1-based line number in *errorLine.
    virtual InfHandle SetupOpenInfFileA(const char* fileName, std::uint32_t style,
                                        std::uint32_t* errorLine) = 0;
    // SetupCloseInfFile(inf): an unknown handle is ignored.
    virtual void SetupCloseInfFile(InfHandle inf) = 0;
    // SetupFindFirstLineA(inf, section, key, context): the section's first line, or its first
    // line whose key is `key` (letter case aside) when key is not null. False with
    // ERROR_LINE_NOT_FOUND when there is none (also when the section is missing).
    virtual bool SetupFindFirstLineA(InfHandle inf, const char* section, const char* key,
                                     INFCONTEXT& context) = 0;
    // SetupFindNextLine(in, out): the next line of the same section; ERROR_LINE_NOT_FOUND at
    // its end.
    virtual bool SetupFindNextLine(const INFCONTEXT& in, INFCONTEXT& out) = 0;
    // SetupFindNextMatchLineA(in, key, out): the next line (after `in`) whose key is `key`;
    // any next line when key is null.
    virtual bool SetupFindNextMatchLineA(const INFCONTEXT& in, const char* key,
                                         INFCONTEXT& out) = 0;
    // SetupGetFieldCount(context): the line's fields, its key not counted; 0 for a bad context.
    virtual std::uint32_t SetupGetFieldCount(const INFCONTEXT& context) = 0;
    // SetupGetStringFieldA(context, index, buffer, size, requiredSize): field `index` (0 is the
    // key) with %strkey% replaced from [Strings]. *requiredSize (when given) counts the
    // terminating zero. A null buffer only asks the size. False with ERROR_INSUFFICIENT_BUFFER
    // when size is too small (nothing written), ERROR_INVALID_PARAMETER for a field the line
    // does not have, ERROR_INVALID_HANDLE for a context that names no open line.
    virtual bool SetupGetStringFieldA(const INFCONTEXT& context, std::uint32_t index,
                                      char* buffer, std::uint32_t size,
                                      std::uint32_t* requiredSize) = 0;
    // SetupDiGetINFClassA(infName, classGuid, className, size, requiredSize): [Version]'s
    // Class and ClassGUID ({00000000-...} when ClassGUID is missing). False with the errors of
    // opening the file, ERROR_INVALID_CLASS when the INF names no class,
    // ERROR_INSUFFICIENT_BUFFER when the name does not fit.
    virtual bool SetupDiGetINFClassA(const char* infName, GUID& classGuid, char* className,
                                     std::uint32_t size, std::uint32_t* requiredSize) = 0;
    // SetupDiClassGuidsFromNameA(className, list, size, requiredSize): the GUIDs of the
    // installed setup classes of that name (letter case aside); none is no failure.
    // ERROR_INSUFFICIENT_BUFFER when they are more than size.
    virtual bool SetupDiClassGuidsFromNameA(const char* className, GUID* list,
                                            std::uint32_t size,
                                            std::uint32_t& requiredSize) = 0;

    // --- Devices and drivers ---

    // UpdateDriverForPlugAndPlayDevicesA(parent, hardwareId, fullInfPath, installFlags,
    // rebootRequired) (newdev): installs the INF's driver on every present device whose
    // hardware id (letter case aside) is `hardwareId` and that the INF's models list: copies
    // the files its install section names, binds the devices. rebootRequired may be null.
    // False with the last error: the INF's opening errors; ERROR_NO_SUCH_DEVINST when no
    // present device has that id; ERROR_NO_DRIVER_SELECTED (0xE0000203) when the INF's
    // models do not list it; ERROR_INVALID_FLAGS for flags other than INSTALLFLAG_FORCE,
    // INSTALLFLAG_READONLY and INSTALLFLAG_NONINTERACTIVE.
    virtual bool UpdateDriverForPlugAndPlayDevicesA(WindowRef parent, const char* hardwareId,
                                                    const char* fullInfPath,
                                                    std::uint32_t installFlags,
                                                    bool* rebootRequired) = 0;
    // SetupCopyOEMInfA(sourceInf, mediaLocation, mediaType, copyStyle, destName, destSize,
    // requiredSize, nullptr): copies the INF into the Windows INF directory as oemN.inf (the
    // lowest free N) with its compiled form oemN.PNF, or finds the oemN.inf it was copied to
    // before (same contents). destName receives that full path when destSize allows (a size
    // of 0 asks only *requiredSize, counting the zero). copyStyle: SP_COPY_NOOVERWRITE fails
    // with ERROR_FILE_EXISTS when an identical INF is installed already; SP_COPY_REPLACEONLY
    // copies only over such an INF (ERROR_FILE_NOT_FOUND when there is none). Other failures:
    // the source's file errors, ERROR_WRONG_INF_STYLE, ERROR_INSUFFICIENT_BUFFER (the INF is
    // installed, the name did not fit).
    virtual bool SetupCopyOEMInfA(const char* sourceInf, const char* mediaLocation,
                                  std::uint32_t mediaType, std::uint32_t copyStyle,
                                  char* destName, std::uint32_t destSize,
                                  std::uint32_t* requiredSize) = 0;
    // SetupDiCreateDeviceInfoList(classGuid, parent): an empty set, of that class when the
    // GUID is given.
    virtual DeviceInfoSet SetupDiCreateDeviceInfoList(const GUID* classGuid,
                                                      WindowRef parent) = 0;
    // SetupDiCreateDeviceInfoA(set, deviceName, classGuid, description, parent, flags, data):
    // a new device of the set. With DICD_GENERATE_ID, deviceName is a class name and the
    // device's instance id is ROOT, the name and the lowest free four-digit number, joined by
    // backslashes; without it, deviceName is the whole instance id and
    // ERROR_DEVINST_ALREADY_EXISTS when it exists. Not part of the machine until
    // DIF_REGISTERDEVICE. ERROR_CLASS_MISMATCH when the set has another class;
    // ERROR_INVALID_HANDLE for an unknown set.
    virtual bool SetupDiCreateDeviceInfoA(DeviceInfoSet set, const char* deviceName,
                                          const GUID& classGuid, const char* description,
                                          WindowRef parent, std::uint32_t flags,
                                          SP_DEVINFO_DATA* data) = 0;
    // SetupDiSetDeviceRegistryPropertyA(set, data, property, buffer, size): SPDRP_HARDWAREID
    // (a double-zero-terminated list), SPDRP_FRIENDLYNAME, SPDRP_DEVICEDESC.
    // ERROR_INVALID_REG_PROPERTY for others; ERROR_INVALID_PARAMETER for a device that is not
    // the set's.
    virtual bool SetupDiSetDeviceRegistryPropertyA(DeviceInfoSet set, SP_DEVINFO_DATA& data,
                                                   std::uint32_t property,
                                                   const std::uint8_t* buffer,
                                                   std::uint32_t size) = 0;
    // SetupDiCallClassInstaller(function, set, data): DIF_REGISTERDEVICE makes a created
    // device part of the machine (present, no driver yet); DIF_REMOVE removes a device and
    // its driver binding. Other functions fail with ERROR_DI_DO_DEFAULT.
    virtual bool SetupDiCallClassInstaller(std::uint32_t installFunction, DeviceInfoSet set,
                                           SP_DEVINFO_DATA* data) = 0;
    // SetupDiGetClassDevsA(classGuid, enumerator, parent, flags): a set of the machine's
    // devices of that class (every class with DIGCF_ALLCLASSES), only present ones with
    // DIGCF_PRESENT. An empty set is no failure.
    virtual DeviceInfoSet SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator,
                                               WindowRef parent, std::uint32_t flags) = 0;
    // SetupDiEnumDeviceInfo(set, index, data): the index-th device of the set (data.cbSize
    // must be sizeof(SP_DEVINFO_DATA), else ERROR_INVALID_USER_BUFFER); ERROR_NO_MORE_ITEMS
    // past the end.
    virtual bool SetupDiEnumDeviceInfo(DeviceInfoSet set, std::uint32_t index,
                                       SP_DEVINFO_DATA& data) = 0;
    // SetupDiGetDeviceRegistryPropertyA(set, data, property, regType, buffer, size,
    // requiredSize): SPDRP_HARDWAREID (REG_MULTI_SZ), SPDRP_DEVICEDESC, SPDRP_FRIENDLYNAME,
    // SPDRP_CLASS, SPDRP_CLASSGUID, SPDRP_DRIVER, SPDRP_SERVICE (REG_SZ). regType may be null.
    // ERROR_INSUFFICIENT_BUFFER with *requiredSize when it does not fit; ERROR_INVALID_DATA
    // when the device has no such property.
    virtual bool SetupDiGetDeviceRegistryPropertyA(DeviceInfoSet set, SP_DEVINFO_DATA& data,
                                                   std::uint32_t property,
                                                   std::uint32_t* regType,
                                                   std::uint8_t* buffer, std::uint32_t size,
                                                   std::uint32_t* requiredSize) = 0;
    // SetupDiDestroyDeviceInfoList(set): releases the set; devices created and not registered
    // are dropped. ERROR_INVALID_HANDLE for an unknown set.
    virtual bool SetupDiDestroyDeviceInfoList(DeviceInfoSet set) = 0;
};

}  // namespace plat
