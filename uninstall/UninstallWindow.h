// The main window: the candidates with check boxes, the USB box, the log, Uninstall, Select
// and Exit; the About box and F1 help. A run's worker reports through a queue that a timer
// empties on this thread.
#pragma once
#include <memory>
#include <string>
#include <thread>

#include "platform/platform.h"
#include "uninstall/Inventory.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/WorkerEvents.h"

namespace uninstall {

class UninstallWindow : public plat::DialogLogic {
public:
    explicit UninstallWindow(plat::Platform& platform);
    ~UninstallWindow() override;

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    bool OnSysCommand(plat::DialogWindow& window, int command) override;
    void OnTimer(plat::DialogWindow& window, int timerId) override;
    void OnHelp(plat::DialogWindow& window) override;
    void OnDestroy(plat::DialogWindow& window) override;

    static constexpr int kEventTimer = 1;
    static constexpr unsigned kEventTimerMs = 100;

private:
    // Start-up steps that may close the window: false when it was closed.
    bool CheckAdministrator(plat::DialogWindow& window);
    bool FindInventory(plat::DialogWindow& window);
    void FillList(plat::DialogWindow& window);
    void SetCaptions(plat::DialogWindow& window);
    void LookUpDriverDeletion(plat::DialogWindow& window);
    bool UsbDriverInstalled();

    void StartRun(plat::DialogWindow& window);
    void ApplyEvents(plat::DialogWindow& window);
    void EndRun(plat::DialogWindow& window, bool restartFlag, bool completed);
    void EnableControls(plat::DialogWindow& window, bool enabled);
    void AddLog(plat::DialogWindow& window, const std::string& line);
    // A start-up refusal: the message box, then the window closes.
    void Refuse(plat::DialogWindow& window, const char* key);

    plat::Platform& platform_;
    UninstallTexts texts_;
    bool gb2312Font_ = false;
    int osIndex_ = 0;
    bool is64Bit_ = false;
    bool hasDriverEx_ = false;
    bool usbDriverInstalled_ = false;
    std::string currentDir_;
    std::string inventoryPath_;
    std::unique_ptr<Inventory> inventory_;
    WorkerEvents events_;
    std::thread worker_;
    bool running_ = false;
};

// Searches a directory for an entry whose name contains "Uninstall.ini", in listing order,
// setting each visited entry's attributes to FILE_ATTRIBUTE_ARCHIVE on the way.
enum class InventorySearch { Found, NoEntries, NotFound };
InventorySearch SearchInventory(plat::FileSystem& files, const std::string& directory);

}  // namespace uninstall
