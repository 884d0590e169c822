#include "shell/mod_reg.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace zw {
namespace {

std::string Default(const MemoryRegistry& reg, std::string_view key) {
    const auto value = reg.Get(key);
    return !value ? "<none>" : value->type != kRegSz ? "<not a string>" : value->data;
}

ProgramInfo Program(std::string dir, std::string name = "Zellwerk") {
    ProgramInfo program;
    program.directory = std::move(dir);
    program.exeBaseName = std::move(name);
    return program;
}

TEST(ModReg, FirstAndLaterStartsWriteTheFileTypeForWhereTheProgramIs) {
    MemoryRegistry reg;
    modREg::RegisterPuzzleFileType(reg, Program("C:\\Spiele"));
    EXPECT_EQ(reg.Keys().size(), 7u);
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk"), "<none>") << "no class default at first";
    modREg::RegisterPuzzleFileType(reg, Program("D:\\Meine Spiele\\Rätsel", "Zellwerk2"));
    const std::pair<const char*, const char*> expected[] = {
        {".sudoku", "Brunfeld\\Zellwerk"},
        {"Brunfeld\\Zellwerk", ""},
        {"Brunfeld\\Zellwerk\\shell\\1", "&Öffnen"},
        {"brunfeld\\zellwerk\\SHELL\\1\\command", "\"D:\\Meine Spiele\\Rätsel\\Zellwerk2.exe\" %1"},
        {"Brunfeld\\Zellwerk\\DefaultIcon", "D:\\Meine Spiele\\Rätsel\\Zellwerk.ico"},
    };
    for (auto [key, value] : expected)
        EXPECT_EQ(Default(reg, key), value) << key;
    EXPECT_EQ(reg.Keys().size(), 7u);
    EXPECT_EQ(reg.OpenHandles(), 0u);
}

}  // namespace
}  // namespace zw
