// The file download: the chosen file's bytes, nothing added, as the job "FIRMWARE".
#include "plugin/pages/FileDownloadGroup.h"

#include <new>
#include <vector>

#include "platform/win_constants.h"
#include "plugin/commands/SendRawJob.h"
#include "plugin/pages/DownloadPageIds.h"
#include "plugin/pages/OpenFileFlags.h"

namespace plugin {

namespace {

constexpr char kCaption[] = "Error";
// The path field is read into a buffer of this many characters, its zero included.
constexpr std::size_t kPathBuffer = 1024;

void ShowError(plat::DialogWindow& window, const char* text) { window.MessageBox(text, kCaption, MB_OK); }

}  // namespace

void FileDownloadGroup::Open(plat::DialogWindow& window) {
    window.EnableItem(IDC_DOWNLOAD_BROWSE, true);
    window.EnableItem(IDC_DOWNLOAD_FILE, false);
}

bool FileDownloadGroup::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (id != IDC_DOWNLOAD_BROWSE && id != IDC_DOWNLOAD_FILE) return false;
    if (code == plat::kButtonClicked) {
        if (id == IDC_DOWNLOAD_BROWSE) Browse(window);
        else Download(window);
    }
    return true;
}

void FileDownloadGroup::Browse(plat::DialogWindow& window) {
    plat::OpenFileRequest request;
    // The type only narrows what the dialog lists; the printer recognises the contents itself.
    request.filters = {{u"*.JK(Firmware)", u"*.JK"}, {u"*.DAT(Data)", u"*.DAT"}, {u"*.FNT(Font)", u"*.FNT"},
                       {u"*.ZK(Font)", u"*.ZK"},     {u"*.EEP(EEPROM)", u"*.EEP"}, {u"*.*(All)", u"*.*"}};
    request.filterIndex = 0;
    request.title = u"Please select a file";
    request.flags = kDownloadOpenFileFlags;
    request.bufferCharacters = static_cast<int>(kPathBuffer);
    const auto chosen = window.OpenFileDialog(request);
    if (!chosen) return;
    window.SetItemTextW(IDC_DOWNLOAD_FILE_PATH, *chosen);
    window.EnableItem(IDC_DOWNLOAD_FILE, true);
}

void FileDownloadGroup::Download(plat::DialogWindow& window) {
    std::u16string path = window.GetItemTextW(IDC_DOWNLOAD_FILE_PATH);
    if (path.size() > kPathBuffer - 1) path.resize(kPathBuffer - 1);
    if (path.empty() || !sheet_.platform) return;
    plat::Platform& platform = *sheet_.platform;
    // The file functions take the path in the system code page; a character it lacks becomes
    // '?', which no file name holds, so such a path fails to open.
    const std::string filePath = platform.system().WideCharToAnsi(path);

    // Opened without sharing first: a file another program holds open is refused.
    if (!platform.files().OpenExisting(filePath.c_str(), GENERIC_READ, 0)) {
        ShowError(window, "Fail to open the selected file!");
        return;
    }
    RawJob job;
    job.documentName = u"FIRMWARE";
    try {
        std::vector<std::uint8_t> bytes;
        if (!platform.files().ReadWholeFile(filePath.c_str(), bytes)) {
            ShowError(window, "Failed to get data from the file!");
            return;
        }
        // One write of the whole file, nothing before or after it.
        job.writes.push_back(std::move(bytes));
    } catch (const std::bad_alloc&) {
        ShowError(window, "Failed to Alloc the required memory!");
        return;
    }
    // A failing spooler call ends what was opened, without a message.
    const plat::PrinterHandle printer =
        sheet_.commonUIParam ? reinterpret_cast<plat::PrinterHandle>(sheet_.commonUIParam->hPrinter) : 0;
    SendRawJob(platform.rawPrinting(), platform.lastError(), printer, job);
}

}  // namespace plugin
