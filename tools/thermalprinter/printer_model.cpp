#include "tools/thermalprinter/printer_model.h"

#include <algorithm>
#include <cctype>

namespace thermal {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
}

}  // namespace

PrinterModel ModelNamed(std::string_view name) {
    PrinterModel model;
    model.name = std::string(name);
    if (name.find("58") != std::string_view::npos) {
        model.paperMm = 58;
        model.printDots = 384;
        model.marginDots = 40;
    }
    return model;
}

std::string InterfaceOfPort(std::string_view port) {
    if (StartsWithNoCase(port, "USB")) return "USB";
    if (StartsWithNoCase(port, "COM") || StartsWithNoCase(port, "ZKCOM")) return "serial";
    if (StartsWithNoCase(port, "LPT")) return "parallel";
    if (StartsWithNoCase(port, "FILE:")) return "file";
    return "network";
}

}  // namespace thermal
