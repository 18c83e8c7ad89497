// The print spooler's interfaces: raw printing and printer setup, each a concern of its own.
#pragma once
#include "platform/printer_setup.h"
#include "platform/raw_printing.h"

namespace plat {

// The name the raw-job calls had while they were the spooler's only ones; code that sends raw
// jobs says RawPrinting.
using Spooler = RawPrinting;

}  // namespace plat
