#include "shell/mod_reg.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace zw {
namespace {

std::string Default(const MemoryRegistry& reg, std::string_view key) {
    const auto value = reg.Get(key);
    if (!value)
        return "<none>";
    EXPECT_EQ(value->type, kRegSz) << key;
    return value->data;
}

ProgramInfo Program(std::string dir, std::string name = "Zellwerk") {
    ProgramInfo program;
    program.directory = std::move(dir);
    program.exeBaseName = std::move(name);
    return program;
}

TEST(ModReg, FirstStartWritesTheTableWithoutAClassDefault) {
    MemoryRegistry reg;
    modREg::RegisterPuzzleFileType(reg, Program("C:\\Spiele"));
    EXPECT_EQ(reg.Keys(),
              (std::vector<std::string>{".sudoku", "Brunfeld", "Brunfeld\\Zellwerk",
                                        "Brunfeld\\Zellwerk\\DefaultIcon",
                                        "Brunfeld\\Zellwerk\\shell", "Brunfeld\\Zellwerk\\shell\\1",
                                        "Brunfeld\\Zellwerk\\shell\\1\\command"}));
    EXPECT_EQ(Default(reg, ".sudoku"), "Brunfeld\\Zellwerk");
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk"), "<none>");
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk\\shell\\1"), "&Öffnen");
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk\\shell\\1\\command"),
              "\"C:\\Spiele\\Zellwerk.exe\" %1");
    // The icon is named whether or not the file is there.
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk\\DefaultIcon"), "C:\\Spiele\\Zellwerk.ico");
    EXPECT_EQ(reg.OpenHandles(), 0u);
    EXPECT_EQ(reg.lastAccess, kRegKeyAccess);
}

TEST(ModReg, StepsRunInOrderAndGoOnAfterRefusals) {
    MemoryRegistry reg;
    modREg::RegisterPuzzleFileType(reg, Program("C:\\Spiele"));
    reg.trace.clear();
    modREg::RegisterPuzzleFileType(reg, Program("C:\\Spiele"));
    const std::vector<std::string> expected{
        "delete Brunfeld\\Zellwerk = 5",  // still has its verbs: refused, ignored
        "delete .sudoku = 0",
        "delete .sudoku = 2",
        "create .sudoku = 0",
        "open .sudoku = 0",
        "set \"\" = \"Brunfeld\\Zellwerk\"",
        "open Brunfeld\\Zellwerk = 0",
        "set \"\" = \"\"",
        "create Brunfeld\\Zellwerk\\shell\\1\\command = 0",
        "open Brunfeld\\Zellwerk\\shell\\1\\ = 0",
        "set \"\" = \"&Öffnen\"",
        "open Brunfeld\\Zellwerk\\shell\\1\\command = 0",
        "set \"\" = \"\"C:\\Spiele\\Zellwerk.exe\" %1\"",
        "create Brunfeld\\Zellwerk\\DefaultIcon = 0",
        "open Brunfeld\\Zellwerk\\DefaultIcon = 0",
        "set \"\" = \"C:\\Spiele\\Zellwerk.ico\"",
    };
    EXPECT_EQ(reg.trace, expected);
    // The surviving class key now carries the (empty) description.
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk"), "");
}

TEST(ModReg, AMovedProgramRewritesCommandAndIcon) {
    MemoryRegistry reg;
    modREg::RegisterPuzzleFileType(reg, Program("C:\\Spiele"));
    modREg::RegisterPuzzleFileType(reg, Program("D:\\Meine Spiele\\Rätsel", "Zellwerk2"));
    EXPECT_EQ(Default(reg, "brunfeld\\zellwerk\\SHELL\\1\\command"),
              "\"D:\\Meine Spiele\\Rätsel\\Zellwerk2.exe\" %1");
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk\\DefaultIcon"),
              "D:\\Meine Spiele\\Rätsel\\Zellwerk.ico");
    EXPECT_EQ(Default(reg, ".sudoku"), "Brunfeld\\Zellwerk");
    EXPECT_EQ(reg.Keys().size(), 7u);
}

TEST(ModReg, OnlyVerbsWithACaptionGetKeysNamedByTheirNumber) {
    MemoryRegistry reg;
    modREg::Verbs verbs;
    verbs[0] = {"&Öffnen", "open"};
    verbs[2] = {"&Drucken", "print"};
    verbs[7] = {"", "ignored without a caption"};
    modREg::RegisterFileType(reg, "sudoku", "Brunfeld\\Zellwerk", "i.ico", false, verbs, "Text");
    EXPECT_TRUE(reg.Exists("Brunfeld\\Zellwerk\\shell\\1\\command"));
    EXPECT_FALSE(reg.Exists("Brunfeld\\Zellwerk\\shell\\2"));
    EXPECT_EQ(Default(reg, "Brunfeld\\Zellwerk\\shell\\3\\command"), "print");
    EXPECT_FALSE(reg.Exists("Brunfeld\\Zellwerk\\shell\\8"));
}

TEST(ModReg, WriteValueTypes) {
    MemoryRegistry reg;
    RegHandle key = 0;
    ASSERT_EQ(reg.CreateKey(kHKeyClassesRoot, "K", kRegKeyAccess, key), kRegSuccess);
    EXPECT_EQ(modREg::WriteValue(reg, key, "s", kRegSz, std::string("Wert")), 0);
    EXPECT_EQ(modREg::WriteValue(reg, key, "n", kRegDword, std::uint32_t{0xFFFFFFFFu}), 0);
    EXPECT_EQ(modREg::WriteValue(reg, key, "t", kRegDword, std::string("42")), 0);
    EXPECT_EQ(modREg::WriteValue(reg, key, "x", 3, std::string("binary")), 0);
    EXPECT_NE(modREg::WriteValue(reg, key, "bad", kRegDword, std::string("4x")), 0);
    reg.CloseKey(key);
    EXPECT_EQ(reg.Get("K", "s")->data, "Wert");
    EXPECT_EQ(reg.Get("K", "n")->type, kRegDword);
    EXPECT_EQ(reg.Get("K", "n")->number, 0xFFFFFFFFu);
    EXPECT_EQ(reg.Get("K", "t")->number, 42u);
    EXPECT_FALSE(reg.Get("K", "x"));
    EXPECT_FALSE(reg.Get("K", "bad"));
    // Writing to a key that does not exist writes nothing, and creates nothing.
    modREg::WriteKeyValue(reg, kHKeyClassesRoot, "Fehlt", "", std::string("v"), kRegSz);
    EXPECT_FALSE(reg.Exists("Fehlt"));
    EXPECT_EQ(reg.OpenHandles(), 0u);
}

TEST(MemoryRegistry, RefusesToDeleteAKeyWithSubkeys) {
    MemoryRegistry reg;
    modREg::CreateKey(reg, kHKeyClassesRoot, "A\\B\\C");
    EXPECT_EQ(reg.DeleteKey(kHKeyClassesRoot, "A"), kRegAccessDenied);
    EXPECT_EQ(reg.DeleteKey(kHKeyClassesRoot, "A\\B"), kRegAccessDenied);
    EXPECT_EQ(reg.DeleteKey(kHKeyClassesRoot, "a\\b\\c"), kRegSuccess);
    EXPECT_EQ(reg.DeleteKey(kHKeyClassesRoot, "A\\B"), kRegSuccess);
    EXPECT_EQ(reg.DeleteKey(kHKeyClassesRoot, "A\\B"), kRegFileNotFound);
    // A sibling whose name merely starts the same is no subkey.
    modREg::CreateKey(reg, kHKeyClassesRoot, "AB");
    EXPECT_EQ(reg.DeleteKey(kHKeyClassesRoot, "A"), kRegSuccess);
    EXPECT_EQ(reg.Keys(), std::vector<std::string>{"AB"});
}

}  // namespace
}  // namespace zw
