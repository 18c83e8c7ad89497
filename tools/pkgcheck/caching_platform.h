// A platform that remembers profile reads and file contents: pkgcheck reads the same package
// files thousands of times, and they do not change while it runs. The reading rules stay the
// simulated machine's own; only repeated work is saved.
#pragma once
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/forwarding_platform.h"
#include "platform/platform.h"
#include "platform/sim/api/profile.h"

namespace pkgcheck {

class CachingProfile : public plat::Profile {
public:
    explicit CachingProfile(plat::Profile& inner) : inner_(inner) {}

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

private:
    // Null arguments are kept apart from empty ones: a null section or key asks for a list.
    using Key = std::tuple<int, std::string, std::string, std::string, std::string, std::uint32_t>;
    static std::string Arg(const char* s) { return s ? "+" + std::string(s) : std::string("-"); }

    plat::Profile& inner_;
    std::map<Key, std::pair<std::uint32_t, std::string>> strings_;
};

// Forwards every call; whole-file reads are remembered by path until something is written.
class ReadCachingFiles : public plat::FileSystem {
public:
    ReadCachingFiles(plat::FileSystem& inner, plat::LastError& error)
        : inner_(inner), error_(error) {}

    std::uint32_t GetModuleFileNameA(char* out, std::uint32_t size) override {
        return inner_.GetModuleFileNameA(out, size);
    }
    std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* out) override {
        return inner_.GetCurrentDirectoryA(size, out);
    }
    bool SetCurrentDirectoryA(const char* path) override {
        files_.clear();
        return inner_.SetCurrentDirectoryA(path);
    }
    std::uint32_t GetWindowsDirectoryA(char* out, std::uint32_t size) override {
        return inner_.GetWindowsDirectoryA(out, size);
    }
    std::uint32_t GetSystemDirectoryA(char* out, std::uint32_t size) override {
        return inner_.GetSystemDirectoryA(out, size);
    }
    std::uint32_t GetTempPathA(std::uint32_t size, char* out) override {
        return inner_.GetTempPathA(size, out);
    }
    std::uint32_t GetFileAttributesA(const char* path) override {
        return inner_.GetFileAttributesA(path);
    }
    bool SetFileAttributesA(const char* path, std::uint32_t attributes) override {
        return inner_.SetFileAttributesA(path, attributes);
    }
    bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) override;
    bool WriteWholeFile(const char* path, const std::vector<std::uint8_t>& data) override {
        files_.clear();
        return inner_.WriteWholeFile(path, data);
    }
    bool DeleteFileA(const char* path) override {
        files_.clear();
        return inner_.DeleteFileA(path);
    }
    bool CreateDirectoryA(const char* path) override { return inner_.CreateDirectoryA(path); }
    bool RemoveDirectoryA(const char* path) override { return inner_.RemoveDirectoryA(path); }
    bool CopyFileA(const char* from, const char* to, bool failIfExists) override {
        files_.clear();
        return inner_.CopyFileA(from, to, failIfExists);
    }
    std::unique_ptr<plat::OpenFile> OpenExisting(const char* path, std::uint32_t access,
                                                 std::uint32_t shareMode) override {
        files_.clear();
        return inner_.OpenExisting(path, access, shareMode);
    }
    bool FindFiles(const char* pattern, std::vector<plat::FindData>& out) override {
        return inner_.FindFiles(pattern, out);
    }
    bool Wow64DisableWow64FsRedirection(void*& oldValue) override {
        return inner_.Wow64DisableWow64FsRedirection(oldValue);
    }
    bool Wow64RevertWow64FsRedirection(void* oldValue) override {
        return inner_.Wow64RevertWow64FsRedirection(oldValue);
    }

private:
    struct Content {
        bool ok = false;
        std::uint32_t error = 0;
        std::vector<std::uint8_t> bytes;
    };
    plat::FileSystem& inner_;
    plat::LastError& error_;
    std::map<std::string, Content> files_;
};

class CachingPlatform : public plat::ForwardingPlatform {
public:
    explicit CachingPlatform(plat::Platform& inner)
        : ForwardingPlatform(inner),
          files_(inner.files(), inner.lastError()),
          simProfile_(files_, inner.lastError()),
          profile_(simProfile_) {}

    plat::Profile& profile() override { return profile_; }
    plat::FileSystem& files() override { return files_; }

private:
    ReadCachingFiles files_;
    sim::SimProfile simProfile_;
    CachingProfile profile_;
};

}  // namespace pkgcheck
