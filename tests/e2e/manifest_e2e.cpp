// The program's manifest as Windows reads it from the executable: it asks for administrator rights, so
// that its writes under Program Files and HKEY_LOCAL_MACHINE are never redirected into a VirtualStore.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/test_files.h"

namespace wmb::e2e {
namespace {

std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    std::string text;
    if (HRSRC info = FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST)) {
        if (HGLOBAL data = LoadResource(module, info)) {
            text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, info));
        }
    }
    FreeLibrary(module);
    return text;
}

TEST(Manifest, TheProgramAsksForAdministratorRights) {
    const std::string manifest = ManifestOf(BuildFolder() + "\\program\\WildmereBench.exe");
    ASSERT_FALSE(manifest.empty()) << "no manifest resource";
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""), std::string::npos)
        << manifest;
}

}  // namespace
}  // namespace wmb::e2e
