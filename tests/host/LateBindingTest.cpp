#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "skin/LateBinding.h"

namespace {

// Libraries by path, each with the functions it exports; records every call.
class FakeLoader final : public LibraryLoader {
public:
    std::map<std::string, std::vector<std::string>> libraries;
    std::vector<std::string> loaded, freed;

    Module Load(const char* path) override {
        loaded.push_back(path);
        auto found = libraries.find(path);
        return found == libraries.end() ? nullptr : const_cast<std::string*>(&found->first);
    }
    Address Find(Module module, const char* function) override {
        for (const std::string& name : libraries[*static_cast<std::string*>(module)])
            if (name == function) return const_cast<char*>(name.c_str());
        return nullptr;
    }
    void Free(Module module) override { freed.push_back(*static_cast<std::string*>(module)); }
};

std::string LibraryOf(const BoundFunction& bound) {
    return bound.module ? *static_cast<std::string*>(bound.module) : "";
}

} // namespace

TEST(BindFunction, NamedLibraryIsTriedBesideTheProgramFirstThenByItsBareName) {
    FakeLoader loader;
    loader.libraries["C:\\app\\SkinH_EL.dll"] = {"SkinH_AttachRes"};
    BoundFunction bound = BindFunction(loader, "C:\\app", "SkinH_EL.dll", "SkinH_AttachRes");
    EXPECT_EQ(LibraryOf(bound), "C:\\app\\SkinH_EL.dll");
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"C:\\app\\SkinH_EL.dll"}));

    FakeLoader elsewhere;
    elsewhere.libraries["SkinH_EL.dll"] = {"SkinH_AttachRes"};
    bound = BindFunction(elsewhere, "C:\\app", "SkinH_EL.dll", "SkinH_AttachRes");
    EXPECT_EQ(LibraryOf(bound), "SkinH_EL.dll");
    EXPECT_EQ(elsewhere.loaded, (std::vector<std::string>{"C:\\app\\SkinH_EL.dll", "SkinH_EL.dll"}));
}

TEST(BindFunction, NameWithAColonIsLoadedAsItStands) {
    FakeLoader loader;
    loader.libraries["D:\\lib\\x.dll"] = {"F"};
    BoundFunction bound = BindFunction(loader, "C:\\app", "D:\\lib\\x.dll", "F");
    EXPECT_NE(bound.address, nullptr);
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"D:\\lib\\x.dll"}));
}

TEST(BindFunction, LibraryWithoutTheFunctionIsReleasedAndBindingFails) {
    FakeLoader loader;
    loader.libraries["C:\\app\\SkinH_EL.dll"] = {"Other"};
    BoundFunction bound = BindFunction(loader, "C:\\app", "SkinH_EL.dll", "SkinH_AttachRes");
    EXPECT_EQ(bound.address, nullptr);
    EXPECT_EQ(bound.module, nullptr);
    EXPECT_EQ(loader.freed, (std::vector<std::string>{"C:\\app\\SkinH_EL.dll"}));
}

TEST(BindFunction, WithoutALibrarySystemLibrariesAreSearchedInOrderReleasingEachThatLacksIt) {
    FakeLoader loader;
    for (const char* system : SystemLibraries) loader.libraries[system] = {};
    loader.libraries["Shell32.dll"] = {"ShellExecuteA"};
    loader.libraries["Mpr.dll"] = {"Unrelated"};
    BoundFunction bound = BindFunction(loader, "C:\\app", "", "ShellExecuteA");
    EXPECT_EQ(LibraryOf(bound), "Shell32.dll");
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll",
                                                       "Mpr.dll", "Shell32.dll"}));
    EXPECT_EQ(loader.freed,
              (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll"}));
}

TEST(BindingFailureMessage, NamesTheLibraryAndFunctionInCurlyQuotes) {
    EXPECT_EQ(BindingFailureMessage("SkinH_EL.dll", "SkinH_AttachRes").view(),
              "无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”");
    EXPECT_EQ(BindingFailureMessage("", "ShellExecuteA").view(), "无法找到指定DLL库文件中的输出命令“ShellExecuteA”");
}
