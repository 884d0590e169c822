// A registry held in memory, behaving like the Windows one where the registration can tell the
// difference: key names compare without regard to ASCII case, a trailing backslash names the
// same key, and a key that still has subkeys cannot be deleted.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace zw {

class MemoryRegistry final : public Registry {
public:
    struct Value {
        std::uint32_t type = 0;
        std::string data;  // kRegSz: the text without its zero; kRegDword: empty
        std::uint32_t number = 0;
    };

    long DeleteKey(RegHandle root, std::string_view subKey) override;
    long CreateKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                   RegHandle& key) override;
    long OpenKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                 RegHandle& key) override;
    long SetString(RegHandle key, std::string_view name, std::string_view value) override;
    long SetNumber(RegHandle key, std::string_view name, std::uint32_t value) override;
    long CloseKey(RegHandle key) override;

    // --- for tests; paths are below HKEY_CLASSES_ROOT ---
    bool Exists(std::string_view path) const;
    std::optional<Value> Get(std::string_view path, std::string_view name = {}) const;
    std::vector<std::string> Keys() const;  // every key, in their stored spelling, sorted
    std::size_t OpenHandles() const { return handles_.size(); }
    // One line per call: "delete .sudoku = 0", "create Brunfeld\Zellwerk = 0", ...
    std::vector<std::string> trace;
    std::uint32_t lastAccess = 0;  // the mask of the last open or create

private:
    struct Node {
        std::string name;                     // the spelling it was created with
        std::map<std::string, Value> values;  // by lower-case value name
    };
    std::optional<std::string> Resolve(RegHandle root, std::string_view subKey) const;
    bool HasSubkeys(const std::string& key) const;
    RegHandle NewHandle(const std::string& key);

    std::map<std::string, Node> keys_;  // by lower-case full path, "" is the root
    std::map<RegHandle, std::string> handles_;
    RegHandle nextHandle_ = 0x1000;
};

}  // namespace zw
