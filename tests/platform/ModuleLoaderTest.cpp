#include <gtest/gtest.h>

#include "platform/ProcessInfo.h"
#include "platform/Win32.h"
#include "sim/host/HostServices.h"

namespace {

TEST(ModuleLoaderTest, AMissingModuleFailsWithAReason) {
    EXPECT_EQ(LoadLibraryA("/nonexistent/QuorvelMFD.so"), nullptr);
    EXPECT_FALSE(quorvel::platform::LoadErrorText().empty());
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
}

TEST(ModuleLoaderTest, AttachesOnceAndFindsOnlyTheModulesOwnExports) {
    HMODULE module = LoadLibraryA(QUORVEL_MODULE_PATH);
    ASSERT_NE(module, nullptr) << quorvel::platform::LoadErrorText();
    EXPECT_EQ(quorvel::sim::InitLibCalls(module), 1) << "the entry point saw the attach";

    EXPECT_NE(GetProcAddress(module, "hlcDLLInit"), nullptr);
    EXPECT_NE(GetProcAddress(module, "GetModuleVersion"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "ExitModule"), nullptr);
    // Defined by libraries the module uses, not by the module.
    EXPECT_EQ(GetProcAddress(module, "CreatePen"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "malloc"), nullptr);
    EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "hlcDLLInit"), nullptr);

    // A second load shares the module and does not attach again.
    HMODULE again = LoadLibraryA(QUORVEL_MODULE_PATH);
    EXPECT_EQ(again, module);
    EXPECT_EQ(quorvel::sim::InitLibCalls(module), 1);
    EXPECT_TRUE(FreeLibrary(again));
    EXPECT_NE(GetProcAddress(module, "hlcDLLInit"), nullptr) << "still loaded after one of two frees";
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
}

}  // namespace
