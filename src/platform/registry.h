// The system registry as the file-type registration uses it: keys under a root, opened or
// created with an access mask, default and named values, handles that must be closed. Status
// codes are the system's (0 for success); callers are free to ignore them.
#pragma once

#include <cstdint>
#include <string_view>

namespace zw {

using RegHandle = std::uintptr_t;

constexpr RegHandle kHKeyClassesRoot = 0x80000000u;

// Status codes, as the Windows registry returns them.
constexpr long kRegSuccess = 0;
constexpr long kRegFileNotFound = 2;
constexpr long kRegAccessDenied = 5;
constexpr long kRegInvalidHandle = 6;
constexpr long kRegInvalidParameter = 87;

// Value types.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

// Query value, set value, create subkey, enumerate subkeys, notify, create link.
constexpr std::uint32_t kRegKeyAccess = 0x3F;

class Registry {
public:
    virtual ~Registry() = default;
    // Deletes one key; refused while the key has subkeys.
    virtual long DeleteKey(RegHandle root, std::string_view subKey) = 0;
    // Creates a non-volatile key with any missing parents, or opens it when it exists.
    virtual long CreateKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                           RegHandle& key) = 0;
    // Opens an existing key.
    virtual long OpenKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                         RegHandle& key) = 0;
    // A string value (UTF-8 here; stored in the system's code page with its terminating zero).
    virtual long SetString(RegHandle key, std::string_view name, std::string_view value) = 0;
    // A 32-bit number value.
    virtual long SetNumber(RegHandle key, std::string_view name, std::uint32_t value) = 0;
    virtual long CloseKey(RegHandle key) = 0;
};

}  // namespace zw
