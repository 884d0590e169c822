#include "platform/memory_registry.h"

#include <algorithm>

namespace zw {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

std::string_view TrimTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    return path;
}

std::string Join(const std::string& parent, std::string_view child) {
    return parent.empty() ? std::string(child) : parent + "\\" + std::string(child);
}

}  // namespace

std::optional<std::string> MemoryRegistry::Resolve(RegHandle root, std::string_view subKey) const {
    std::string base;
    if (root != kHKeyClassesRoot) {
        const auto it = handles_.find(root);
        if (it == handles_.end())
            return std::nullopt;
        base = it->second;
    }
    subKey = TrimTrailingBackslash(subKey);
    return subKey.empty() ? base : Join(base, Lower(subKey));
}

bool MemoryRegistry::HasSubkeys(const std::string& key) const {
    const std::string prefix = key + "\\";
    const auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

RegHandle MemoryRegistry::NewHandle(const std::string& key) {
    const RegHandle handle = nextHandle_++;
    handles_[handle] = key;
    return handle;
}

long MemoryRegistry::DeleteKey(RegHandle root, std::string_view subKey) {
    long status = kRegSuccess;
    const auto key = Resolve(root, subKey);
    if (!key)
        status = kRegInvalidHandle;
    else if (key->empty() || subKey.empty())
        status = kRegAccessDenied;
    else if (!keys_.contains(*key))
        status = kRegFileNotFound;
    else if (HasSubkeys(*key))
        status = kRegAccessDenied;
    else
        keys_.erase(*key);
    trace.push_back("delete " + std::string(subKey) + " = " + std::to_string(status));
    return status;
}

long MemoryRegistry::CreateKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                               RegHandle& key) {
    lastAccess = access;
    const auto path = Resolve(root, subKey);
    long status = kRegSuccess;
    if (!path) {
        status = kRegInvalidHandle;
    } else {
        // Every missing parent on the way is created too, keeping the spelling given.
        std::string spelled = root == kHKeyClassesRoot ? "" : keys_[handles_[root]].name;
        std::string lowered = root == kHKeyClassesRoot ? "" : handles_[root];
        std::string_view rest = TrimTrailingBackslash(subKey);
        while (!rest.empty()) {
            const std::size_t cut = rest.find('\\');
            const std::string_view part = rest.substr(0, cut);
            rest = cut == std::string_view::npos ? std::string_view{} : rest.substr(cut + 1);
            if (part.empty())
                continue;
            spelled = Join(spelled, part);
            lowered = Join(lowered, Lower(part));
            auto [it, added] = keys_.try_emplace(lowered);
            if (added)
                it->second.name = spelled;
            else
                spelled = it->second.name;
        }
        key = NewHandle(*path);
    }
    trace.push_back("create " + std::string(subKey) + " = " + std::to_string(status));
    return status;
}

long MemoryRegistry::OpenKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                             RegHandle& key) {
    lastAccess = access;
    const auto path = Resolve(root, subKey);
    long status = kRegSuccess;
    if (!path)
        status = kRegInvalidHandle;
    else if (!path->empty() && !keys_.contains(*path))
        status = kRegFileNotFound;
    else
        key = NewHandle(*path);
    trace.push_back("open " + std::string(subKey) + " = " + std::to_string(status));
    return status;
}

long MemoryRegistry::SetString(RegHandle key, std::string_view name, std::string_view value) {
    const auto it = handles_.find(key);
    if (it == handles_.end())
        return kRegInvalidHandle;
    keys_[it->second].values[Lower(name)] = Value{kRegSz, std::string(value), 0};
    trace.push_back("set \"" + std::string(name) + "\" = \"" + std::string(value) + "\"");
    return kRegSuccess;
}

long MemoryRegistry::SetNumber(RegHandle key, std::string_view name, std::uint32_t value) {
    const auto it = handles_.find(key);
    if (it == handles_.end())
        return kRegInvalidHandle;
    keys_[it->second].values[Lower(name)] = Value{kRegDword, {}, value};
    trace.push_back("set \"" + std::string(name) + "\" = " + std::to_string(value));
    return kRegSuccess;
}

long MemoryRegistry::CloseKey(RegHandle key) {
    return handles_.erase(key) == 1 ? kRegSuccess : kRegInvalidHandle;
}

bool MemoryRegistry::Exists(std::string_view path) const {
    return keys_.contains(Lower(TrimTrailingBackslash(path)));
}

std::optional<MemoryRegistry::Value> MemoryRegistry::Get(std::string_view path,
                                                         std::string_view name) const {
    const auto key = keys_.find(Lower(TrimTrailingBackslash(path)));
    if (key == keys_.end())
        return std::nullopt;
    const auto value = key->second.values.find(Lower(name));
    if (value == key->second.values.end())
        return std::nullopt;
    return value->second;
}

std::vector<std::string> MemoryRegistry::Keys() const {
    std::vector<std::string> names;
    for (const auto& [lowered, node] : keys_)
        names.push_back(node.name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zw
