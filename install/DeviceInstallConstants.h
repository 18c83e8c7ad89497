// SetupAPI and newdev flags the installer passes, under Windows' names and values
// (setupapi.h, newdev.h). Each is guarded alone, so a definition from the Windows headers or
// from platform/win_constants.h wins and the two never disagree.
#pragma once
#include "platform/win_constants.h"

#ifndef INSTALLFLAG_FORCE
#define INSTALLFLAG_FORCE 0x00000001
#endif
#ifndef SPOST_PATH
#define SPOST_PATH 1
#endif
#ifndef SP_COPY_REPLACEONLY
#define SP_COPY_REPLACEONLY 0x0000002
#endif
#ifndef SP_COPY_NOOVERWRITE
#define SP_COPY_NOOVERWRITE 0x0000008
#endif
#ifndef DICD_GENERATE_ID
#define DICD_GENERATE_ID 0x00000001
#endif
#ifndef SPDRP_HARDWAREID
#define SPDRP_HARDWAREID 0x00000001
#endif
#ifndef DIF_REMOVE
#define DIF_REMOVE 0x00000005
#endif
#ifndef DIF_REGISTERDEVICE
#define DIF_REGISTERDEVICE 0x00000019
#endif
#ifndef DIGCF_PRESENT
#define DIGCF_PRESENT 0x00000002
#endif
