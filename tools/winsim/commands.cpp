// The table of winsim's commands with their help texts.
#include "tools/winsim/winsim.h"

namespace winsim {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"presets", "presets", "List the presets a machine can be created from.",
         "Lists every preset by name with a description: the Windows version, product type and\n"
         "processor architecture it sets. 'create' takes one of these names.\n",
         RunPresets},

        {"create", "create DIR --preset NAME [--set KEY=VALUE ...]",
         "Create a machine in DIR from a preset, optionally changing settings.",
         "Creates a new machine in DIR, which must not exist or must be an empty directory. The\n"
         "preset gives the settings; each --set changes one of them before the machine is made\n"
         "(so --set windowsdir=... also decides where the Windows directory is created).\n"
         "Settings are the keys that 'show' prints:\n"
         "\n"
         "  preset, product, csd, user        text on one line (no line break; blanks at\n"
         "                                    either end are dropped)\n"
         "  platform                          1 (9x) or 2 (NT)\n"
         "  major, minor, build               the Windows version\n"
         "  producttype                       1 workstation, 2 domain controller, 3 server\n"
         "  architecture                      0 x86, 6 Itanium, 9 x64\n"
         "  nativesysteminfo, iswow64process  1 or 0: whether these functions exist\n"
         "  admin                             1 or 0: the user is in the Administrators group\n"
         "  codepage                          the system code page, 1252 or 936\n"
         "  timescale                         real sleep = requested sleep x timescale: a\n"
         "                                    number from 0 (no real sleeping) to 100\n"
         "  windowsdir, tempdir               directories below C:\\, stored as Windows names\n"
         "                                    them (no . or .., no trailing periods or blanks)\n"
         "\n"
         "The machine gets drive_c/ with the Windows, system, temporary, fonts and spool\n"
         "directories, an empty registry, an empty transcript and a win.ini with its ports.\n",
         RunCreate},

        {"show", "show DIR", "Print the machine's settings.",
         "Prints the settings in machine.ini, one KEY=VALUE a line, then one line\n"
         "'requested: PROGRAM asked Windows to restart' for every ExitWindowsEx request a\n"
         "program made (the simulated machine keeps running; state/restart.txt).\n", RunShow},

        {"set", "set DIR KEY=VALUE ...", "Change settings of an existing machine.",
         "Changes one or more settings (the keys of 'winsim help create') and prints the result.\n"
         "Either all changes are made or, when one is wrong, none. Values are checked as for\n"
         "create: no value holds a line break, timescale is a number from 0 to 100 (not nan or\n"
         "inf), and directories are stored cleaned, so what 'show' prints is what the machine\n"
         "reads. Directories are not created or moved when windowsdir or tempdir change.\n",
         RunSet},

        {"mount", "mount DIR HOSTDIR [WINDIR]",
         "Copy a package directory onto the machine and place stand-ins for its programs.",
         "Copies HOSTDIR with everything below it to WINDIR on the machine (default\n"
         "C:\\Package). Names that already exist there in another letter case are overwritten,\n"
         "as Windows would. Then it writes stand-in files for the programs the package ships:\n"
         "\n"
         "  WINDIR\\setup.exe                         runs setup (32-bit)\n"
         "  WINDIR\\uninstall.exe                     runs uninstall (32-bit)\n"
         "  WINDIR\\USBDrv\\USBDriver\\Install.exe      runs Install (32-bit), if the folder exists\n"
         "  WINDIR\\USBDrv\\USBDriver_x64\\Install.exe  runs Install (64-bit), if the folder exists\n"
         "\n"
         "A stand-in is a small text file (\"winsim stand-in\", \"program=NAME\", \"bits=32|64\")\n"
         "that names the native program 'run' starts in its place.\n",
         RunMount},

        {"run", "run DIR WINPATH [ARGS...] [--script FILE] [--cwd WINDIR] [--bits 32|64] [--bin-dir HOSTDIR]",
         "Run the program behind a stand-in on the machine and print its transcript.",
         "Starts the native program named by the stand-in at WINPATH, as if the Windows program\n"
         "there were started, and waits for it. ARGS are passed to it (write -- first to pass\n"
         "words that begin with --).\n"
         "\n"
         "  --script FILE   the automation script that answers its message boxes (below);\n"
         "                  without one every message box takes its default button\n"
         "  --cwd WINDIR    its current directory (default: the program's directory); a\n"
         "                  relative WINDIR counts from the program's directory\n"
         "  --bits 32|64    its word size (default: the stand-in's, 32 unless it says 64); 64\n"
         "                  needs a 64-bit machine\n"
         "  --bin-dir DIR   where the native programs are (default: the build tree winsim was\n"
         "                  built in: ../../setup/setup, ../../install/Install and\n"
         "                  ../../uninstall/uninstall next to winsim)\n"
         "\n"
         "The program learns its machine, module path, current directory, word size and script\n"
         "from WINSIM_MACHINE, WINSIM_MODULE, WINSIM_CWD, WINSIM_BITS and WINSIM_SCRIPT. Programs\n"
         "it starts itself share the machine and the script. Since winsim prints their\n"
         "transcript, they say a script error there only, not on stderr as well.\n"
         "\n"
         "When it ends, winsim prints the transcript lines written during the run (by it and by\n"
         "any program it started), then one \"script not finished: line N: ACTION\" line for\n"
         "each script action nobody took.\n"
         "\n"
         "Automation script: plain text, one action a line; blank lines and lines starting with\n"
         "# are skipped; actions and button names ignore letter case.\n"
         "\n"
         "  answer OK|Cancel|Yes|No|Abort|Retry|Ignore   press that button in the next message box\n"
         "  expect TEXT                                  the next message box's text contains TEXT\n"
         "\n"
         "Every expect line before an answer applies to the same message box. A message box whose\n"
         "next script action is no answer takes its default button, and the transcript says so.\n"
         "An answer the box does not offer, or an expectation not met, is a script error: the\n"
         "transcript gets \"script error: ...\" and the program ends with status 3.\n"
         "\n"
         "Exit status: the program's own status; 4 when it ended with 0 but script actions are\n"
         "left; 3 for a script error (also when the script cannot be read or parsed, before the\n"
         "program starts); 128+N when signal N ended it; 125 when winsim could not start it (no\n"
         "such file, not a stand-in, native program not built, bad current directory, a 64-bit\n"
         "program on a 32-bit machine); 2 for a wrong command line.\n",
         RunRun},

        {"props", "props DIR PRINTER --document|--device [--script FILE] [--bits 32|64] [--bin-dir HOSTDIR]",
         "Show a printer's property sheet with the UI plug-in's pages and print the transcript.",
         "Runs the universal printer driver's user interface for PRINTER as a program on the\n"
         "machine (driverui, module <system directory>\\driverui.exe) and waits for it:\n"
         "--document shows the printing preferences (\"PRINTER Printing Preferences\"),\n"
         "--device the printer's properties (\"PRINTER Properties\"). It loads the UI plug-in\n"
         "ZK450iUI.DLL that the printer's driver names among its files (from the driver's\n"
         "directory for the program's environment); a printer without a driver, as 'printer\n"
         "add' makes it, gets the plug-in all the same. The native build of the plug-in\n"
         "(ZK450iUI.so) stands behind the file. The program calls the plug-in in the driver's\n"
         "order (DllGetClassObject, CreateInstance, PublishDriverInterface, GetInfo, DevMode,\n"
         "CommonUIProp, DocumentPropertySheets or DevicePropertySheets), shows the sheet with\n"
         "the pages the plug-in added, and writes one transcript line per call.\n"
         "\n"
         "Device modes persist as on Windows, as REG_BINARY values (the public DEVMODEW, then\n"
         "the plug-in's private block): the printer's in its spooler key, value \"Default\n"
         "DevMode\" (the device sheet's), the user's under HKCU\\Printers\\DevModePerUser, a\n"
         "value named after the printer (the document sheet's, which starts from the user's,\n"
         "else the printer's, else the defaults). They are written when the sheet closes with\n"
         "OK, or after an Apply; Cancel without an Apply stores nothing. 'devmode' shows them.\n"
         "\n"
         "The driver's own paper-size option (a DMPUB_FORMNAME list of the spooler's forms) is\n"
         "given to the document sheet; DrvUpdateUISetting moves the chosen form into the device\n"
         "mode's dmFormName and dmPaperSize.\n"
         "\n"
         "  --script FILE   the automation script (see 'winsim help run'; 'tab CAPTION' switches\n"
         "                  pages, 'click IDOK', 'click IDCANCEL' and 'apply' act on the sheet)\n"
         "  --bits 32|64    the program's word size (default: the machine's)\n"
         "  --bin-dir DIR   where driverui and ZK450iUI.so are (default: this build tree)\n"
         "\n"
         "Exit status: 0 when the sheet was shown and closed, 1 when a step failed (the\n"
         "transcript says which), 3 for a script error, 4 when script actions are left, 125\n"
         "when winsim could not start it (no such printer, a machine before Windows 2000,\n"
         "driverui not built), 2 for a wrong command line.\n",
         RunProps},

        {"devmode", "devmode DIR PRINTER [--user]",
         "Show the device mode stored for a printer (the printer's, or with --user the user's).",
         "Prints where the device mode is kept and its size, the public fields dmDeviceName,\n"
         "dmSize, dmDriverExtra, dmFields, dmFormName and dmPaperSize, then the private block\n"
         "that follows them as a hex dump with offsets from the block's start. Without a stored\n"
         "device mode it says so (status 0); a value that is no device mode is dumped whole\n"
         "(status 1).\n",
         RunDevmode},

        {"transcript", "transcript DIR [--clear]",
         "Print the machine's transcript, or empty it.",
         "Prints the transcript: one line for everything a person at the machine would have\n"
         "seen or answered, each starting with the program's name (\"setup: ...\"), in UTF-8.\n"
         "With --clear it empties the transcript instead.\n",
         RunTranscript},

        {"reg", "reg DIR [KEYPATH]", "Print registry keys at or below a key.",
         "Prints the sections of registry.reg whose key is KEYPATH or lies below it, letter case\n"
         "ignored, with their values as the file holds them; without KEYPATH the whole registry.\n"
         "KEYPATH may start with HKLM, HKCU, HKCR or HKU for the full root names. Fails when no\n"
         "key matches.\n",
         RunReg},

        {"files", "files DIR [WINPATH]", "List the machine's files as a tree.",
         "Lists WINPATH (default C:\\) and everything below it, one entry a line, indented by\n"
         "depth and sorted by name: directories end in \\, files show their size. Notes in\n"
         "brackets show the attributes read-only, hidden and system, open handles with what they\n"
         "share ([open by winsim, shares read]) and [access denied]. A file WINPATH lists itself.\n",
         RunFiles},

        {"cat", "cat DIR WINPATH", "Write a file of the machine to standard output.",
         "Writes the file's bytes unchanged to standard output.\n", RunCat},

        {"desktop",
         "desktop DIR windows|mutexes|open-window TITLE [--minimized] [--class NAME]|"
         "close-window TITLE|hold-mutex NAME|release-mutex NAME",
         "Show the desktop's windows and mutexes, or open and hold some as winsim.",
         "  windows              lists the top-level windows, topmost first, with their id, title,\n"
         "                       class, whether minimised or in the foreground, and owner\n"
         "  mutexes              lists the open handles to named mutexes and their owners\n"
         "  open-window TITLE    opens a window with that title (and class) that stays until\n"
         "                       close-window, as if another program had it open; --minimized\n"
         "                       opens it minimised\n"
         "  close-window TITLE   closes the windows with that title that winsim opened\n"
         "  hold-mutex NAME      creates the named mutex and holds it until release-mutex\n"
         "  release-mutex NAME   releases the mutex winsim holds\n"
         "\n"
         "Titles are UTF-8 and compared as FindWindowA compares them (letter case ignored);\n"
         "mutex names keep their letter case; neither may be empty. Windows and mutexes of\n"
         "programs that have ended are gone.\n",
         RunDesktop},

        {"fault", "fault DIR hold-file WINPATH --share none|read|write|readwrite [--access read|write|readwrite]|"
                  "release-file WINPATH|deny-file WINPATH|"
                  "call NAME ERROR [--times N] [--target T]|call-clear|"
                  "reg-fail OPERATION|* ERROR [--times N] KEYPATH|reg-clear|"
                  "spooler-fail CALL ERROR [--times N]|spooler-clear|list",
         "Inject faults: a file in use by another program, access denied, Win32 calls that fail.",
         "  hold-file WINPATH --share S   holds the existing file open as another program would,\n"
         "                                sharing S with others: none, read, write or readwrite.\n"
         "                                The holder reads the file (--access changes that), so\n"
         "                                with --share read a program may read it but not write\n"
         "                                or replace it (ERROR_SHARING_VIOLATION).\n"
         "  deny-file WINPATH             makes every open, write, delete and attribute change\n"
         "                                of the path fail with ERROR_ACCESS_DENIED; the file need\n"
         "                                not exist\n"
         "  release-file WINPATH          removes the holds and the denial of the path\n"
         "  call NAME ERROR [--times N] [--target T]\n"
         "                                makes the Win32 call NAME of every program on the\n"
         "                                machine return ERROR, a Win32 error code in decimal (5\n"
         "                                is ERROR_ACCESS_DENIED). NAME is one of\n"
         "                                  files:    CreateFileA (every open, read and write of\n"
         "                                            a whole file), DeleteFileA, CopyFileA (T is\n"
         "                                            the file it writes), CreateDirectoryA,\n"
         "                                            RemoveDirectoryA, GetFileAttributesA,\n"
         "                                            SetFileAttributesA, FindFirstFileA\n"
         "                                  registry: RegCreateKeyExA, RegOpenKeyExA,\n"
         "                                            RegDeleteKeyA, RegSetValueExA,\n"
         "                                            RegQueryValueExA, RegDeleteValueA,\n"
         "                                            RegEnumKeyExA, RegEnumValueA\n"
         "                                  spooler:  OpenPrinterW, ClosePrinter,\n"
         "                                            StartDocPrinterW, StartPagePrinter,\n"
         "                                            WritePrinter, EndPagePrinter, EndDocPrinter,\n"
         "                                            GetPrinterDriverDirectoryA,\n"
         "                                            GetPrintProcessorDirectoryA,\n"
         "                                            AddPrinterDriverA, AddMonitorA,\n"
         "                                            AddPrintProcessorA, AddPrinterA,\n"
         "                                            OpenPrinterA, GetPrinterA, SetPrinterA,\n"
         "                                            SetDefaultPrinterA, EnumPortsA,\n"
         "                                            EnumPrintersA, EnumMonitorsA,\n"
         "                                            EnumPrintProcessorsA, DeletePrinter,\n"
         "                                            DeleteMonitorA, DeletePrintProcessorA,\n"
         "                                            DeletePrinterDriverA,\n"
         "                                            DeletePrinterDriverExA\n"
         "                                  services: OpenSCManagerA, OpenServiceA,\n"
         "                                            StartServiceA, ControlService,\n"
         "                                            QueryServiceStatus (T is the service\n"
         "                                            name), CloseServiceHandle\n"
         "                                  lookups:  LoadLibraryA (T is the library name as\n"
         "                                            the program gives it), GetProcAddress\n"
         "                                            (T is the function name)\n"
         "                                  WOW64:    Wow64DisableWow64FsRedirection,\n"
         "                                            Wow64RevertWow64FsRedirection\n"
         "                                or a prefix ending in * for every call it starts\n"
         "                                (Reg*). --target limits the fault to a file or\n"
         "                                directory on drive C and everything below it, a key\n"
         "                                and every key below it, or a printer, driver, monitor,\n"
         "                                print processor, service, library or function by name\n"
         "                                (the Get*DirectoryA calls: the environment as the\n"
         "                                program names it).\n"
         "                                --times N fails the next N such calls only; without it\n"
         "                                every one fails. The first fault that applies decides.\n"
         "  call-clear                    removes every call fault\n"
         "  reg-fail OPERATION|* ERROR [--times N] KEYPATH\n"
         "                                the registry call of OPERATION (CreateKey, OpenKey,\n"
         "                                DeleteKey, SetValue, QueryValue, DeleteValue, EnumKeys,\n"
         "                                EnumValues, or * for all) with --target KEYPATH: the\n"
         "                                key and every key below it. KEYPATH starts with HKLM,\n"
         "                                HKCU, HKU or HKCR (or the long names) and is the key the\n"
         "                                call really reaches: a 32-bit program's HKLM\\SOFTWARE\\X\n"
         "                                on 64-bit Windows is HKLM\\SOFTWARE\\Wow6432Node\\X, and\n"
         "                                HKCR is HKLM\\SOFTWARE\\Classes.\n"
         "  reg-clear                     removes every fault on registry calls\n"
         "  spooler-fail CALL ERROR [--times N]\n"
         "                                the spooler call CALL for every printer\n"
         "  spooler-clear                 removes every fault on spooler calls\n"
         "  list                          lists the faults in place; a call fault as the call\n"
         "                                arguments that make it, with the calls it has left\n"
         "\n"
         "File faults last until released, call faults until cleared or used up.\n",
         RunFault},

        {"printer", "printer DIR add NAME [--port PORT]|list|paper NAME [--render FILE]",
         "Add printers to the simulated spooler, list them, or draw what one printed.",
         "  add NAME [--port PORT]   adds the printer NAME on port PORT (none when omitted): its\n"
         "                           key HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\NAME\n"
         "                           with the values Name and Port, where Windows keeps printers.\n"
         "                           Programs then open it by name (letter case aside).\n"
         "  list                     lists every printer with its port\n"
         "  paper NAME --render FILE the virtual thermal printer on NAME's port prints every\n"
         "                           completed job that port received, in order; the paper is\n"
         "                           written to FILE as PNG and its events (cuts, drawer pulses,\n"
         "                           the buzzer, notes on bytes it did not print) are listed.\n"
         "                           Without --render: the model, port and bytes received.\n",
         RunPrinter},

        {"jobs", "jobs DIR", "List the print jobs programs sent to the simulated spooler.",
         "One line per job, by job number: printer, port, document name, data type, pages,\n"
         "bytes, and whether the program ended the job (EndDocPrinter). Jobs are kept in the\n"
         "machine directory as spool/jobs/NNNN.job (the bytes as sent) and NNNN.info.\n",
         RunJobs},

        {"job", "job DIR N [--hex|--render FILE]|add PRINTER [--document NAME] [--data HEX|--file F]",
         "Write the bytes of print job N to standard output, draw them, or queue a job.",
         "Writes the job's bytes exactly as the program sent them. With --hex, prints the job's\n"
         "line as 'jobs' shows it and then the bytes as a hex dump, 16 a row, with their offset\n"
         "and their printable characters. With --render, the virtual thermal printer on the\n"
         "job's port prints the job, after the earlier jobs on that port have set its stored\n"
         "logos and settings, and the paper is written to FILE as PNG (docs/thermalprinter.md).\n"
         "  add PRINTER [--document NAME]   queues a job on the printer (letter case aside) as\n"
         "                                  a program that has not ended it yet leaves it: no\n"
         "                                  bytes, not completed, document NAME (default\n"
         "                                  \"Document\"). The printer then has documents to\n"
         "                                  print: GetPrinterA and EnumPrintersA count it in\n"
         "                                  cJobs. Prints the job's line as 'jobs' shows it.\n"
         "      --data HEX | --file F       makes it a whole job of those bytes (hex as\n"
         "                                  \"1C 70 01 00\", or a host file's), ended as a\n"
         "                                  program ends it; on a package USB port it goes on\n"
         "                                  to the attached USB printer of that port number.\n",
         RunJob},

        {"spooler", "spooler DIR", "Show what the simulated spooler holds.",
         "Prints the spooler service's state and the print provider's records as tables:\n"
         "printers (name, driver, port, print processor; * marks the default printer, the one\n"
         "win.ini's [windows] device line names), drivers by environment and version (their\n"
         "driver, data and configuration files and monitor), port monitors (DLL and the\n"
         "DriverVersion setup wrote), print processors by environment, and the ports each\n"
         "monitor offers. The records are registry keys below\n"
         "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print, as Windows keeps them ('reg' shows\n"
         "them raw). A monitor other than Local Port and Standard TCP/IP Port offers the ports\n"
         "its DLL's stand-in file in the system directory names: lines 'sim-port: NAME' and\n"
         "'sim-ports-from-registry: HKLM\\KEY' (the value names of that key, 64-bit view).\n",
         RunSpooler},
        {"service", "service DIR list|start NAME|stop NAME|"
                    "set NAME [--start-polls N|never] [--stop-polls N|never]",
         "List the machine's services, start or stop one, or choose how long that takes.",
         "  list          lists each service with its state (stopped, start-pending, running,\n"
         "                stop-pending) and its poll counts\n"
         "  start NAME    puts the service in the running state at once\n"
         "  stop NAME     puts the service in the stopped state at once; a stopped spooler\n"
         "                answers no spooler call and holds no DLL\n"
         "  set NAME [--start-polls N|never] [--stop-polls N|never]\n"
         "                how many QueryServiceStatus calls a program's later StartServiceA\n"
         "                (ControlService stop) leaves the service start pending (stop\n"
         "                pending) for before it runs (stops); never keeps it pending for good.\n"
         "                N is 0 to 1000; 0 is at once. The defaults are 2 and 0. A count\n"
         "                (not never) also ends when the program that asked has ended.\n"
         "\n"
         "The machine has one service, Spooler, on the NT platform only; it starts running.\n"
         "While it runs (or is stopping), the DLL named by each print monitor's Driver value\n"
         "(in System32) and by each print processor's of the native environment (in its\n"
         "prtprocs directory) is in use: replacing or deleting it fails with error 32. A\n"
         "spooler that will not start is a call fault: fault DIR call StartServiceA 1053.\n",
         RunService},
        {"usb", "usb list DIR|attach DIR --id N [--vid V] [--pid P]|detach DIR [N]|"
                "fault DIR N [--silent|--answering] [--write-fails|--write-ok]",
         "Attach, list and detach the machine's USB printers, or make one misbehave.",
         "  list DIR      lists each attached printer by device index: its internal ID, vendor\n"
         "                and product ids, its switches and every byte it received (hex)\n"
         "  attach DIR --id N [--vid V] [--pid P]\n"
         "                attaches a printer with internal ID N after the others (at most 8);\n"
         "                V and P are hex, 5A5A and 5A5A when not given\n"
         "  detach DIR [N]\n"
         "                detaches the printers with internal ID N, or every printer\n"
         "  fault DIR N [--silent|--answering] [--write-fails|--write-ok]\n"
         "                a silent printer stays attached but reports no internal ID; a\n"
         "                printer whose writes fail keeps nothing written to it\n"
         "\n"
         "A printer keeps its internal ID across runs; the ID command written to it sets a new\n"
         "one. Programs reach the printers through the USB access library KxUsbInt.dll, which is\n"
         "there when a file of that name is in the program's directory or the system directory;\n"
         "a line 'exports: NAME ...' in it limits the functions it exports (all five without).\n",
         RunUsb},
        {"devices", "devices DIR", "List the machine's devices with their classes and drivers.",
         "One entry per device, by instance id: present or not-present, its setup class and\n"
         "class GUID, its hardware ids, its description and the driver bound to it (its key\n"
         "under Control\\Class, the oemN.inf it came from, its service). The devices are the\n"
         "registry keys below HKLM\\SYSTEM\\CurrentControlSet\\Enum, as Windows keeps them. An\n"
         "attached USB printer is USB\\VID_vvvv&PID_pppp\\SNnnnnnn (nnnnnn its slot); detached,\n"
         "it stays listed as not-present. Root-enumerated devices that programs register are\n"
         "ROOT\\CLASS\\NNNN. A new machine has a USB root hub, COM1 and a display adapter.\n",
         RunDevices},
        {"inventory", "inventory DIR",
         "Print in short what installations left on the machine.",
         "Prints, section by section, what a person checks after an installation; a section\n"
         "with nothing in it says (none):\n"
         "\n"
         "  printers (* the default) with driver, port and print processor; drivers by\n"
         "  environment and version with their driver file and monitor; port monitors with\n"
         "  their DLL; print processors; the ports the monitors offer (as 'spooler' shows)\n"
         "  serial settings: NT, the COM values of HKLM\\SOFTWARE\\Microsoft\\Windows NT\\\n"
         "  CurrentVersion\\Ports; 9x, the COM lines of win.ini [Ports] and whether each key\n"
         "  below HKLM\\System\\CurrentControlSet\\Services\\Class\\Ports has a DCB value.\n"
         "  Only COM ports unlike a new machine's are listed (COM1: to COM4: at 9600,n,8,1;\n"
         "  one of those that is gone shows as (removed))\n"
         "  USB port records: the values of HKLM\\SOFTWARE\\VORTANE\\PORTNAME and PRINTERPORT;\n"
         "  on a 64-bit machine the 64-bit view, and the 32-bit view too when it differs\n"
         "  USB printers attached (as 'usb list' shows, without the bytes received)\n"
         "  devices whose driver came from an oemN.inf (as 'devices' shows, one line each)\n"
         "  restart requests programs made (as 'show' lists them)\n",
         RunInventory},
    };
    return commands;
}

}  // namespace winsim
