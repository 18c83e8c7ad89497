// The language keys of setup and uninstall.
#include "tools/pkgcheck/language_keys.h"

namespace pkgcheck {

const std::vector<LanguageSection>& SetupLanguageKeys() {
    static const std::vector<LanguageSection> keys = {
        {"Setup",
         {"Caption", "Help", "Back", "Next", "Install", "Cancel", "Close", "Nonsupport",
          "PortNull", "CaptionName"}},
        {"Legal", {"Agreement", "Accept", "Reject"}},
        {"About", {"Version", "Copyright", "OK", "Caption"}},
        {"Help Guide", {"Caption", "Name"}},
        {"Series", {"Select", "Receipt", "Ticket", "Label", "Embedded", "Default"}},
        {"System", {"Select"}},
        {"Mode", {"Type", "Typical", "Advanced", "Remarks", "Note1", "Note2", "Note3"}},
        {"Progress", {"Wait"}},
        {"Confirm",
         {"Set", "Ports", "Com", "BaudRate", "Parity", "ByteSize", "StopBits", "Protocol",
          "Raster", "Parity.Even", "Parity.Mark", "Parity.None", "Parity.Odd", "Parity.Space",
          "Protocol.None", "Protocol.Xonoff", "Protocol.Hardware"}},
        {"Message",
         {"IDS_ABOUTBOX",          "IDS_X64",
          "IDS_X32",               "IDS_ERR_NOLEFT",
          "IDS_ADMIN",             "IDS_ERR_SYSTEM",
          "IDS_ERR_NOLICENSE",     "IDS_TYPICAL_NOTES",
          "IDS_NOTSUPPORTNT",      "IDS_NOTSUPPORT2003",
          "IDS_NOTSUPPORTVISTA",   "IDS_NOTSUPPORT2008",
          "IDS_NOTSUPPORTWin7",    "IDS_INF_NTRESTART",
          "IDS_INF_USBRESTART",    "IDS_INF_RESTART",
          "IDS_ERR_EXITWIN",       "IDS_ERR_SELPRINTER",
          "IDS_ERR_NOSUPPORTINTERFACE", "IDS_ERR_NOSUPPORTUSB",
          "IDS_ERR_IPADDRISNULL",  "IDS_ERR_ADDPORTERROR",
          "IDS_ERR_NOUSBDEVICE",   "IDS_INF_CHANGEID",
          "IDS_ERR_ONEPRINTER",    "IDS_ERR_LOSTDRIVERFILE",
          "IDS_ERR_NEEDRESTART",   "IDS_ERR_TOOMANY",
          "IDS_ERR_ADDPRINTER",    "IDS_ERR_ADDPRNDRV3",
          "IDS_ERR_ADDMONITOR",    "IDS_ERR_ADDPROCESSOR",
          "IDS_ERR_ALLOCMEMORY",   "IDS_ERR_GETDRIVERDIR",
          "IDS_ERR_GETPRODIR",     "IDS_ERR_GETSYSDIR",
          "IDS_ERR_GETWINDIR",     "IDS_ERR_GETCURDIR",
          "IDS_ERR_DIRTYPE",       "IDS_ERR_COPYFIEL",
          "IDS_ERR_COPYFIEL1",     "IDS_ERR_UNSUPPORTCOM",
          "IDS_ERR_UPDATEUSB",     "IDS_ERR_UPDATEUSBM"}},
    };
    return keys;
}

const std::vector<LanguageSection>& UninstallLanguageKeys() {
    static const std::vector<LanguageSection> keys = {
        {"Message",
         {"IDS_ABOUTBOX", "IDS_ADMIN", "IDS_ERR_GETSYSDIR", "IDS_ERR_INVALID", "IDS_ERR_NOINI",
          "IDS_SELECTPRN1", "IDS_DELETING1", "IDS_DELETING2", "IDS_DELETING3", "IDS_SUCCESS",
          "IDS_USING", "IDS_ERR_UNINSTALL", "IDS_ERR_OPENPRN", "IDS_ERR_GETPRNINFO",
          "IDS_ERR_ALLOC", "IDS_ERR_HAVEJOB1", "IDS_ERR_HAVEJOB2", "IDS_ERR_DELPRINTER",
          "IDS_DRVDELETING", "IDS_DRV_SUCCESS", "IDS_ERR_DRVUSING", "IDS_ERR_DRVDEL",
          "IDS_DRV_SUCCESS1"}},
        {"Uninstall",
         {"Title", "Note", "Uninstall", "Select", "Exit", "USBuninstall", "Close",
          "CaptionName"}},
        {"Reboot", {"Title", "Note1", "Note2", "Note3", "Yes", "No"}},
        {"About", {"Title", "Version", "Copyright", "OK"}},
    };
    return keys;
}

}  // namespace pkgcheck
