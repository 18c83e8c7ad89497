// The printer a job is printed on: its paper and how it is attached. The package's models are
// thermal printers at 203 dots per inch; 58 mm paper gives 48 mm (384 dots) of print width,
// 80 mm paper 72 mm (576 dots).
#pragma once
#include <string>
#include <string_view>

namespace thermal {

inline constexpr int kDotsPerInch = 203;

struct PrinterModel {
    std::string name = "VTX-80R";   // the model, as the package names it
    int paperMm = 80;               // 58 or 80
    int printDots = 576;            // the print head's width in dots
    int marginDots = 32;            // unprinted paper on either side of the head
    std::string interface = "USB";  // "USB", "serial", "parallel", "network" or "file"
};

// The model of that name: paper 58 mm when the name holds "58", otherwise 80 mm.
PrinterModel ModelNamed(std::string_view name);

// How a port of that name attaches the printer: "USB_..." ports are USB, "COM"/"ZKCOM" serial,
// "LPT" parallel, "FILE:" a file, anything else (an IP or TCP/IP port) the network.
std::string InterfaceOfPort(std::string_view port);

}  // namespace thermal
