// winsim's commands and the helpers they share.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {
struct UsbPrinter;
struct ProcessContext;
}

namespace thermal {
struct DeviceFeed;
}

namespace winsim {

// The words after the command name.
using Args = std::vector<std::string>;

struct Command {
    const char* name;
    const char* synopsis;  // "create DIR --preset NAME [--set KEY=VALUE ...]"
    const char* summary;   // one line for the overview
    const char* help;      // the full description for "winsim help COMMAND"
    int (*run)(const Args& args);
};

// Every command, in the order the overview lists them.
const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

// Exit codes of winsim's own commands.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the command could not do what was asked
constexpr int kExitUsage = 2;   // the command line is wrong

// winsim's own failures while starting a program ('run', 'props'), told apart from the
// program's statuses.
constexpr int kExitCannotRun = 125;

// "winsim COMMAND: message" and the command's synopsis on stderr; returns kExitUsage.
int UsageError(const std::string& command, const std::string& message);
// "winsim: message" on stderr; returns kExitFailed.
int Failure(const std::string& message);

// Opens the machine in DIR, or says why not on stderr.
std::optional<sim::Machine> OpenMachine(const std::string& dir);
// The absolute Windows path on drive C of a command-line path ("C:\Package", "c:/package",
// "\Package"); empty when it does not name a path on drive C.
std::string WindowsPathArgument(const std::string& arg);
// A command-line number: one to ten decimal digits, no sign, from `min` to `max`.
bool ParseNumberArgument(const std::string& word, unsigned long long min, unsigned long long max,
                         unsigned long long& out);

// A text from the machine as winsim prints it, on one line: control characters as \n, \r, \t
// or \xHH, as the transcript shows line breaks.
std::string OnOneLine(const std::string& text);

// Bytes as a hex dump, 16 a row: the offset (8 hex digits), the bytes, their printable
// characters.
void DumpHex(const std::vector<std::uint8_t>& data);

// One attached USB printer as 'usb list' starts its line: "index 0  id 9  vid 5a5a  pid 5a5a
// answering  write-ok  received 0 bytes".
std::string UsbPrinterSummary(std::size_t index, const sim::UsbPrinter& printer);

// The virtual thermal printer prints what the device received (paper_render.cpp): the paper
// as a PNG file, and what is on it on standard output.
int RenderFeedToPng(const thermal::DeviceFeed& feed, const std::string& file);

// Starting programs on the machine (run_command.cpp).
// "winsim COMMAND: message" on stderr; returns kExitCannotRun.
int CannotStart(const std::string& command, const std::string& message);
// The directory of winsim's own executable.
std::filesystem::path OwnDirectory();
// Starts the native program with the context's WINSIM_* variables added to winsim's own
// environment and waits for it. Returns its exit status (128 + the signal that ended it, which
// `signal` receives), or kExitCannotRun after saying why.
int StartAndWait(const std::string& command, const std::filesystem::path& binary,
                 const std::vector<std::string>& args, const sim::ProcessContext& context,
                 int& signal);
// Runs the native program with an automation script (none when `scriptFile` is empty) and prints
// the transcript lines of the run, then the script's actions left untaken. Returns the program's
// status, 4 when it ended with 0 but left actions, 3 when the script cannot be read.
int RunScripted(const std::string& command, const std::filesystem::path& binary,
                const std::vector<std::string>& args, const std::string& scriptFile,
                sim::ProcessContext& context);

// The command handlers.
int RunPresets(const Args& args);
int RunCreate(const Args& args);
int RunShow(const Args& args);
int RunSet(const Args& args);
int RunMount(const Args& args);
int RunRun(const Args& args);
int RunTranscript(const Args& args);
int RunReg(const Args& args);
int RunFiles(const Args& args);
int RunCat(const Args& args);
int RunDesktop(const Args& args);
int RunFault(const Args& args);
int RunPrinter(const Args& args);
int RunJobs(const Args& args);
int RunJob(const Args& args);
int RunSpooler(const Args& args);
int RunService(const Args& args);
int RunUsb(const Args& args);
int RunDevices(const Args& args);
int RunInventory(const Args& args);
int RunProps(const Args& args);
int RunDevmode(const Args& args);

}  // namespace winsim
