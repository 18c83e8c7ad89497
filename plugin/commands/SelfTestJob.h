// The raw job that makes the printer print its self-test page.
#pragma once
#include "plugin/commands/RawJob.h"

namespace plugin {

// Document "SELFTEST" in three writes: ESC c ; 1 switches the printer into the state its test
// print needs, GS ( A (n 0, m 2) prints the self-test page, ESC c ; 0 switches back.
RawJob SelfTestJob();

}  // namespace plugin
