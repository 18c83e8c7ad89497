// Remembered profile reads for pkgcheck.
#include "tools/pkgcheck/caching_platform.h"

#include <cstring>

namespace pkgcheck {

bool ReadCachingFiles::ReadWholeFile(const char* path, std::vector<std::uint8_t>& out) {
    std::string key = path ? path : "";
    auto it = files_.find(key);
    if (it == files_.end()) {
        Content c;
        c.ok = inner_.ReadWholeFile(path, c.bytes);
        c.error = c.ok ? 0 : error_.GetLastError();
        it = files_.emplace(key, std::move(c)).first;
    }
    if (!it->second.ok) {
        error_.SetLastError(it->second.error);
        return false;
    }
    out = it->second.bytes;
    return true;
}

std::uint32_t CachingProfile::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char* defaultValue, char* out,
                                                       std::uint32_t size, const char* file) {
    if (out == nullptr || size == 0)
        return inner_.GetPrivateProfileStringA(section, key, defaultValue, out, size, file);
    Key k{0, Arg(section), Arg(key), Arg(defaultValue), Arg(file), size};
    auto it = strings_.find(k);
    if (it == strings_.end()) {
        std::string buffer(size, '\0');
        std::uint32_t n =
            inner_.GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), size, file);
        it = strings_.emplace(k, std::make_pair(n, buffer)).first;
    }
    std::memcpy(out, it->second.second.data(), size);
    return it->second.first;
}

std::uint32_t CachingProfile::GetPrivateProfileIntA(const char* section, const char* key,
                                                    int defaultValue, const char* file) {
    return inner_.GetPrivateProfileIntA(section, key, defaultValue, file);
}

bool CachingProfile::WritePrivateProfileStringA(const char* section, const char* key,
                                                const char* value, const char* file) {
    strings_.clear();
    return inner_.WritePrivateProfileStringA(section, key, value, file);
}

std::uint32_t CachingProfile::GetPrivateProfileSectionNamesA(char* out, std::uint32_t size,
                                                             const char* file) {
    if (out == nullptr || size == 0) return inner_.GetPrivateProfileSectionNamesA(out, size, file);
    Key k{1, "", "", "", Arg(file), size};
    auto it = strings_.find(k);
    if (it == strings_.end()) {
        std::string buffer(size, '\0');
        std::uint32_t n = inner_.GetPrivateProfileSectionNamesA(buffer.data(), size, file);
        it = strings_.emplace(k, std::make_pair(n, buffer)).first;
    }
    std::memcpy(out, it->second.second.data(), size);
    return it->second.first;
}

std::uint32_t CachingProfile::GetProfileStringA(const char* section, const char* key,
                                                const char* defaultValue, char* out,
                                                std::uint32_t size) {
    return inner_.GetProfileStringA(section, key, defaultValue, out, size);
}

bool CachingProfile::WriteProfileStringA(const char* section, const char* key,
                                         const char* value) {
    strings_.clear();
    return inner_.WriteProfileStringA(section, key, value);
}

}  // namespace pkgcheck
