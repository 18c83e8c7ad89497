// The self-test page job.
#include "plugin/commands/SelfTestJob.h"

namespace plugin {

RawJob SelfTestJob() {
    return RawJob{u"SELFTEST",
                  {
                      {0x1B, 0x63, 0x3B, 0x01},
                      {0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02},
                      {0x1B, 0x63, 0x3B, 0x00},
                  }};
}

}  // namespace plugin
