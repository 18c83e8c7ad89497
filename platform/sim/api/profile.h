// The profile (INI) functions on the simulated machine, with Windows' reading rules.
#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "platform/sim/api/ini_text.h"

namespace sim {

// Reads and writes INI files through the machine's file system, so that held-open files,
// letter case and the current directory behave as they do for every other file access.
class SimProfile : public plat::Profile {
public:
    SimProfile(plat::FileSystem& files, plat::LastError& error);

    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* out,
                                           std::uint32_t size, const char* file) override;
    std::uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                                        const char* file) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* file) override;
    std::uint32_t GetPrivateProfileSectionNamesA(char* out, std::uint32_t size,
                                                 const char* file) override;
    std::uint32_t GetProfileStringA(const char* section, const char* key,
                                    const char* defaultValue, char* out,
                                    std::uint32_t size) override;
    bool WriteProfileStringA(const char* section, const char* key, const char* value) override;

    // The UTF-16 forms pass through the 8-bit functions: ASCII is the same in every code page
    // the machine can have. Any other character in an argument is not simulated: the call
    // fails with ERROR_NO_UNICODE_TRANSLATION and says so on stderr; a non-ASCII byte read from
    // a file comes back as U+FFFD, also with a message.
    std::uint32_t GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                           const char16_t* defaultValue, char16_t* out,
                                           std::uint32_t size, const char16_t* file) override;
    bool WritePrivateProfileStringW(const char16_t* section, const char16_t* key,
                                    const char16_t* value, const char16_t* file) override;

private:
    // The Windows path a profile file name stands for: a bare name lives in the Windows
    // directory, a null name is win.ini there.
    std::string ResolvePath(const char* file);
    // The file's bytes as text; false when it cannot be read (missing, held without read
    // sharing, a directory), which the reading functions treat alike.
    bool Load(const std::string& path, std::string& text);
    // The parsed form of `text`, the content just read from `path`: programs read one file many
    // times in a row, so the last parse of each file is kept while its text stays the same. The
    // file is still read on every call, so a change by any process is seen at once.
    std::shared_ptr<const ini::Document> Parsed(const std::string& path, std::string text);

    plat::FileSystem& files_;
    plat::LastError& error_;
    struct ParsedFile {
        std::string text;
        std::shared_ptr<const ini::Document> document;
    };
    std::mutex parsedLock_;                    // worker threads read profiles too
    std::map<std::string, ParsedFile> parsed_;  // by the path as the program named it
};

}  // namespace sim
