// The print spooler's interfaces: raw printing and printer setup, each a concern of its own.
#pragma once
#include "platform/printer_setup.h"
#include "platform/raw_printing.h"
