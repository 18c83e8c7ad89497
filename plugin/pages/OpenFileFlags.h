// OFN_* flags of the open-file dialog that the plug-in's pages ask for, with Windows' values
// (guarded, so a file that includes <commdlg.h> first keeps its definitions).
#pragma once
#include <cstdint>

#ifndef OFN_OVERWRITEPROMPT
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_CREATEPROMPT 0x00002000
#define OFN_LONGNAMES 0x00200000
#endif

namespace plugin {

// The flags both file choices of the Download page pass.
inline constexpr std::uint32_t kDownloadOpenFileFlags = OFN_LONGNAMES | OFN_CREATEPROMPT | OFN_PATHMUSTEXIST |
                                                        OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY |
                                                        OFN_OVERWRITEPROMPT;

}  // namespace plugin
