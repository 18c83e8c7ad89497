// The simulated system's error texts: one short sentence per error code the programs meet.
#include "platform/sim/api/error_texts.h"

#include "platform/win_constants.h"

namespace sim {

namespace {

struct ErrorTextEntry {
    std::uint32_t code;
    const char* text;
};

constexpr ErrorTextEntry kTexts[] = {
    {ERROR_SUCCESS, "Done.\r\n"},
    {ERROR_INVALID_FUNCTION, "The function is not valid here.\r\n"},
    {ERROR_FILE_NOT_FOUND, "No such file.\r\n"},
    {ERROR_PATH_NOT_FOUND, "No such path.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is refused.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is not valid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "Out of memory for this command.\r\n"},
    {ERROR_OUTOFMEMORY, "Out of memory for this operation.\r\n"},
    {ERROR_NO_MORE_FILES, "No more files.\r\n"},
    {ERROR_WRITE_PROTECT, "The medium cannot be written.\r\n"},
    {ERROR_WRITE_FAULT, "The device could not write.\r\n"},
    {ERROR_READ_FAULT, "The device could not read.\r\n"},
    {ERROR_SHARING_VIOLATION, "Another program is using this file.\r\n"},
    {ERROR_NOT_SUPPORTED, "This request is not supported.\r\n"},
    {ERROR_FILE_EXISTS, "The file already exists.\r\n"},
    {ERROR_INVALID_PARAMETER, "A parameter is wrong.\r\n"},
    {ERROR_CALL_NOT_IMPLEMENTED, "This system does not offer the function.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The buffer is too small.\r\n"},
    {ERROR_INVALID_NAME, "The name is not valid.\r\n"},
    {ERROR_MOD_NOT_FOUND, "No such module.\r\n"},
    {ERROR_PROC_NOT_FOUND, "No such procedure in the module.\r\n"},
    {ERROR_DIR_NOT_EMPTY, "The directory still holds entries.\r\n"},
    {ERROR_BAD_PATHNAME, "The path is malformed.\r\n"},
    {ERROR_ALREADY_EXISTS, "That name is already in use.\r\n"},
    {ERROR_MORE_DATA, "There is more data than fits.\r\n"},
    {ERROR_NO_MORE_ITEMS, "No more items.\r\n"},
    {ERROR_DIRECTORY, "The name is not a valid directory.\r\n"},
    {ERROR_INVALID_FLAGS, "The flags are not valid.\r\n"},
    {ERROR_NO_TOKEN, "There is no access token here.\r\n"},
    {ERROR_BADKEY, "The registry key is not valid.\r\n"},
    {ERROR_CANTOPEN, "The registry key cannot be opened.\r\n"},
    {ERROR_CANTREAD, "The registry key cannot be read.\r\n"},
    {ERROR_CANTWRITE, "The registry key cannot be written.\r\n"},
    {ERROR_KEY_DELETED, "The registry key has been deleted.\r\n"},
    {ERROR_SERVICE_DOES_NOT_EXIST, "No such service.\r\n"},
    {ERROR_SERVICE_NOT_ACTIVE, "The service is not running.\r\n"},
    {ERROR_INVALID_WINDOW_HANDLE, "The window handle is not valid.\r\n"},
    {ERROR_PRINTER_DRIVER_ALREADY_INSTALLED, "The printer driver is already installed.\r\n"},
    {ERROR_UNKNOWN_PORT, "No such port.\r\n"},
    {ERROR_UNKNOWN_PRINTER_DRIVER, "No such printer driver.\r\n"},
    {ERROR_INVALID_PRINTER_NAME, "The printer name is not valid.\r\n"},
    {ERROR_PRINTER_ALREADY_EXISTS, "A printer of that name already exists.\r\n"},
    {ERROR_UNKNOWN_PRINT_MONITOR, "No such print monitor.\r\n"},
    {ERROR_PRINTER_DRIVER_IN_USE, "A printer still uses this driver.\r\n"},
    {ERROR_PRINT_MONITOR_ALREADY_INSTALLED, "The print monitor is already installed.\r\n"},
    {ERROR_PRINT_MONITOR_IN_USE, "A port still uses this print monitor.\r\n"},
    {ERROR_PRINTER_NOT_FOUND, "No such printer.\r\n"},
};

}  // namespace

const char* ErrorText(std::uint32_t code) {
    for (const ErrorTextEntry& e : kTexts)
        if (e.code == code) return e.text;
    return nullptr;
}

}  // namespace sim
