// modREg: registers the puzzle file type with the Windows shell, step for step over the
// registry interface. Every step goes on whatever the previous one returned.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/platform.h"
#include "platform/registry.h"

namespace zw::modREg {

struct Verb {
    std::string caption;
    std::string command;
};
using Verbs = std::array<Verb, 8>;

// A value as the registration hands it on: text, or a number.
using RegValue = std::variant<std::string, std::uint32_t>;

void RegisterFileType(Registry& reg, std::string_view extension, std::string_view className,
                      std::string_view iconPath, bool replace, const Verbs& verbs,
                      std::string_view description);
void LinkExtension(Registry& reg, std::string_view extension, std::string_view className);
void ResetExtensionKey(Registry& reg, std::string_view extension);
void RemoveKey(Registry& reg, RegHandle root, std::string_view keyPath);
void CreateKey(Registry& reg, RegHandle root, std::string_view keyPath);
void WriteKeyValue(Registry& reg, RegHandle root, std::string_view keyPath,
                   std::string_view valueName, const RegValue& value, std::uint32_t valueType);
// Type 1 writes a string value, type 4 a 32-bit number; any other type writes nothing and
// returns 0.
long WriteValue(Registry& reg, RegHandle key, std::string_view valueName, std::uint32_t valueType,
                const RegValue& value);

// --- the values the main window registers at start-up ---
inline constexpr std::string_view kExtension = "sudoku";
inline constexpr std::string_view kClassName = "Brunfeld\\Zellwerk";
inline constexpr std::string_view kOpenCaption = "&Öffnen";

std::string IconPath(const ProgramInfo& program);     // dir\Zellwerk.ico
std::string OpenCommand(const ProgramInfo& program);  // "dir\name.exe" %1
void RegisterPuzzleFileType(Registry& reg, const ProgramInfo& program);

}  // namespace zw::modREg

namespace zw {

// The start-up registration carried out on a registry (the Windows one, or one in memory).
class RegistryFileTypeRegistration final : public FileTypeRegistration {
public:
    explicit RegistryFileTypeRegistration(Registry& registry) : registry_(registry) {}
    void RegisterFileType(const ProgramInfo& program) override {
        modREg::RegisterPuzzleFileType(registry_, program);
    }

private:
    Registry& registry_;
};

}  // namespace zw
