#include "shell/mod_reg.h"

#include <charconv>

namespace zw::modREg {

void RegisterFileType(Registry& reg, std::string_view extension, std::string_view className,
                      std::string_view iconPath, bool replace, const Verbs& verbs,
                      std::string_view description) {
    const std::string classKey(className);
    if (replace) {
        // Refused while the class key still has its verbs below it: the key then survives.
        RemoveKey(reg, kHKeyClassesRoot, classKey);
        RemoveKey(reg, kHKeyClassesRoot, "." + std::string(extension));
    }
    LinkExtension(reg, extension, className);
    // The class key may not exist yet in this run; then nothing is written.
    WriteKeyValue(reg, kHKeyClassesRoot, classKey, "", std::string(description), kRegSz);
    for (std::size_t i = 0; i < verbs.size(); ++i) {
        if (verbs[i].caption.empty())
            continue;
        const std::string verbKey = classKey + "\\shell\\" + std::to_string(i + 1);
        CreateKey(reg, kHKeyClassesRoot, verbKey + "\\command");
        WriteKeyValue(reg, kHKeyClassesRoot, verbKey + "\\", "", verbs[i].caption, kRegSz);
        WriteKeyValue(reg, kHKeyClassesRoot, verbKey + "\\command", "", verbs[i].command, kRegSz);
    }
    CreateKey(reg, kHKeyClassesRoot, classKey + "\\DefaultIcon");
    WriteKeyValue(reg, kHKeyClassesRoot, classKey + "\\DefaultIcon", "", std::string(iconPath),
                  kRegSz);
}

void LinkExtension(Registry& reg, std::string_view extension, std::string_view className) {
    ResetExtensionKey(reg, extension);
    WriteKeyValue(reg, kHKeyClassesRoot, "." + std::string(extension), "", std::string(className),
                  kRegSz);
}

void ResetExtensionKey(Registry& reg, std::string_view extension) {
    const std::string key = "." + std::string(extension);
    RemoveKey(reg, kHKeyClassesRoot, key);
    CreateKey(reg, kHKeyClassesRoot, key);
}

void RemoveKey(Registry& reg, RegHandle root, std::string_view keyPath) {
    reg.DeleteKey(root, keyPath);
}

void CreateKey(Registry& reg, RegHandle root, std::string_view keyPath) {
    RegHandle key = 0;
    if (reg.CreateKey(root, keyPath, kRegKeyAccess, key) == kRegSuccess)
        reg.CloseKey(key);
}

void WriteKeyValue(Registry& reg, RegHandle root, std::string_view keyPath,
                   std::string_view valueName, const RegValue& value, std::uint32_t valueType) {
    RegHandle key = 0;
    if (reg.OpenKey(root, keyPath, kRegKeyAccess, key) != kRegSuccess)
        return;
    WriteValue(reg, key, valueName, valueType, value);
    reg.CloseKey(key);
}

long WriteValue(Registry& reg, RegHandle key, std::string_view valueName, std::uint32_t valueType,
                const RegValue& value) {
    switch (valueType) {
        case kRegSz:
            if (const auto* text = std::get_if<std::string>(&value))
                return reg.SetString(key, valueName, *text);
            return reg.SetString(key, valueName, std::to_string(std::get<std::uint32_t>(value)));
        case kRegDword: {
            if (const auto* number = std::get_if<std::uint32_t>(&value))
                return reg.SetNumber(key, valueName, *number);
            // Text that is not a whole number is refused instead of writing a made-up value.
            const std::string& text = std::get<std::string>(value);
            std::uint32_t number = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
            if (text.empty() || ec != std::errc() || end != text.data() + text.size())
                return kRegInvalidParameter;
            return reg.SetNumber(key, valueName, number);
        }
        default:
            return 0;
    }
}

std::string IconPath(const ProgramInfo& program) {
    return program.directory + "\\Zellwerk.ico";
}

std::string OpenCommand(const ProgramInfo& program) {
    return "\"" + program.directory + "\\" + program.exeBaseName + ".exe\" %1";
}

void RegisterPuzzleFileType(Registry& reg, const ProgramInfo& program) {
    Verbs verbs;
    verbs[0] = {std::string(kOpenCaption), OpenCommand(program)};
    RegisterFileType(reg, kExtension, kClassName, IconPath(program), true, verbs, "");
}

}  // namespace zw::modREg
