// transcript-filter: prints the lines of a transcript (a file, or standard input for "-") that
// both the simulator and the Windows-side driver observe, one a line.
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/windriver/transcript_filter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: transcript-filter FILE|-\n";
        return 2;
    }
    std::ostringstream text;
    if (std::string(argv[1]) == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::cerr << "transcript-filter: cannot read " << argv[1] << "\n";
            return 2;
        }
        text << in.rdbuf();
    }
    for (const std::string& line : windriver::ObservableLines(text.str())) std::cout << line << "\n";
    return 0;
}
