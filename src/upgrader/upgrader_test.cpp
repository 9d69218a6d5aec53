// The upgrader under Wine: a stand-in program in a "Program Files" folder starts it as the program does,
// with files downloaded beside it; the stand-in logs each start, so the restart and its argument show.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "platform/win32/platform_test_support.h"
#include "platform/win32/wrappers/handle.h"
#include "update/sha256.h"
#include "update/staging_record.h"

namespace wmb {
namespace {

std::string OwnFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, n);
    return full.substr(0, full.find_last_of('\\') + 1);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    SetFileAttributesA(path.c_str(), attributes);
}

// Each file's SHA-256, by name.
using FolderDigests = std::map<std::string, std::string>;

FolderDigests ReadFolder(const std::string& folder) {
    FolderDigests files;
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[entry.cFileName] = Sha256Hex(ReadBytes(folder + entry.cFileName));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return files;
}

class UpgraderTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = scratch_.Path() + "Program Files\\";
        const std::string temp = scratch_.Path() + "Temp Folder\\";
        CreateDirectoryA(program_.c_str(), nullptr);
        CreateDirectoryA(temp.c_str(), nullptr);
        upgrader_ = temp + "Upgrader.exe";
        ASSERT_TRUE(CopyFileA((OwnFolder() + "upgrader.exe").c_str(), upgrader_.c_str(), FALSE));
        oldProgram_ = ReadBytes(OwnFolder() + "upgrader_test_program.exe");
        ASSERT_FALSE(oldProgram_.empty());
        newProgram_ = oldProgram_ + "version 1.8.0.1";  // bytes past the image: still the same program
        WriteBytes(program_ + "Program.exe", oldProgram_);
        WriteBytes(program_ + "data.txt", "old data");
        WriteBytes(program_ + "zone.dat", "old zone");
        WriteBytes(program_ + "notes.txt", "kept");
        const DWORD downloaded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY;
        WriteBytes(program_ + "Program.exe.uTMP", newProgram_, downloaded);
        WriteBytes(program_ + "data.txt.uTMP", "new data", downloaded);
        Stage({{"Program.exe", newProgram_}, {"data.txt", "new data"}});
        log_ = scratch_.Path() + "starts.log";
        SetEnvironmentVariableA("WMB_UPGRADER_TEST_LOG", log_.c_str());
    }

    // The staging record the program writes once every download is verified.
    void Stage(const std::vector<std::pair<std::string, std::string>>& files) {
        std::vector<TStagedFile> staged;
        for (const auto& [name, bytes] : files) staged.push_back({name, {bytes.size(), Sha256Hex(bytes)}});
        WriteBytes(program_ + kStagingRecordName, StagingRecordText(staged), FILE_ATTRIBUTE_HIDDEN);
    }

    // The upgrader and the restarted program may still be ending: their files go once they are free.
    void TearDown() override {
        for (const std::string& path : {upgrader_, program_ + "Program.exe"}) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
                   std::chrono::steady_clock::now() < deadline)
                Sleep(20);
        }
    }

    // Starts the stand-in program, which starts the upgrader and exits; returns the start log once the
    // program was started again.
    std::string UpgradeAndWaitForRestart(const std::string& restartParam = "/afterupgrade0") {
        std::string line = "\"" + program_ + "Program.exe\" /launch \"" + upgrader_ + "\" " + restartParam;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return "not started";
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        std::string log;
        while (std::chrono::steady_clock::now() < deadline) {
            log = ReadBytes(log_);
            if (log.find("Program.exe started") != std::string::npos) break;
            Sleep(20);
        }
        return log;
    }

    test::ScratchFolder scratch_;
    std::string program_, upgrader_, log_, oldProgram_, newProgram_;
};

TEST_F(UpgraderTest, ReplacesTheFilesAndRestartsTheProgramWithTheMethodDigit) {
    // A download the record does not list is deleted, never installed.
    WriteBytes(program_ + "zone.dat.uTMP", "planted zone", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(UpgradeAndWaitForRestart(), "launched\nProgram.exe started[/afterupgrade0]\n");
    EXPECT_EQ(ReadFolder(program_), (FolderDigests{{"Program.exe", Sha256Hex(newProgram_)},
                                                 {"data.txt", Sha256Hex("new data")},
                                                 {"zone.dat", Sha256Hex("old zone")},
                                                 {"notes.txt", Sha256Hex("kept")}}));
    const DWORD attributes = GetFileAttributesA((program_ + "data.txt").c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY), 0u);
}

TEST_F(UpgraderTest, AFileKeptOpenLeavesTheFolderAsBeforeTheDownload) {
    WriteBytes(program_ + "zone.dat.uTMP", "new zone", FILE_ATTRIBUTE_HIDDEN);
    Stage({{"Program.exe", newProgram_}, {"data.txt", "new data"}, {"zone.dat", "new zone"}});
    FolderDigests before = ReadFolder(program_);
    // Replaced in name order: Program.exe and data.txt first, then zone.dat, which is kept open.
    Handle lock(CreateFileA((program_ + "zone.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    // The program starts again as it was, told which file could not be replaced.
    EXPECT_EQ(UpgradeAndWaitForRestart(), "launched\nProgram.exe started[/upgradefailed:replace \"zone.dat\"]\n");
    lock.Reset();
    std::erase_if(before, [](const auto& file) { return file.first.ends_with(".uTMP") || file.first == kStagingRecordName; });
    EXPECT_EQ(ReadFolder(program_), before);
}

TEST_F(UpgraderTest, ADownloadChangedAfterItWasVerifiedInstallsNothing) {
    FolderDigests before = ReadFolder(program_);
    WriteBytes(program_ + "data.txt.uTMP", "bad data", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(UpgradeAndWaitForRestart(), "launched\nProgram.exe started[/upgradefailed:verify \"data.txt\"]\n");
    std::erase_if(before, [](const auto& file) { return file.first.ends_with(".uTMP") || file.first == kStagingRecordName; });
    EXPECT_EQ(ReadFolder(program_), before);
}

TEST_F(UpgraderTest, ExternalSetupRunsToItsEndBeforeTheRestart) {
    DeleteFileA((program_ + "Program.exe.uTMP").c_str());
    DeleteFileA((program_ + "data.txt.uTMP").c_str());
    WriteBytes(program_ + "setup.exe.uTMP", oldProgram_, FILE_ATTRIBUTE_HIDDEN);
    Stage({{"setup.exe", oldProgram_}});
    FolderDigests before = ReadFolder(program_);
    EXPECT_EQ(UpgradeAndWaitForRestart("/afterupgrade1"),
              "launched\nsetup.exe started[]\nProgram.exe started[/afterupgrade1]\n");
    std::erase_if(before, [](const auto& file) { return file.first.ends_with(".uTMP") || file.first == kStagingRecordName; });
    EXPECT_EQ(ReadFolder(program_), before);  // the setup here changes nothing; the downloads are gone
    EXPECT_EQ(GetFileAttributesA((TempFolder() + "setup.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(UpgraderResource, WildmereBenchCarriesTheUpgrader) {
    const char* bin = std::getenv("WMB_TEST_BIN");
    ASSERT_NE(bin, nullptr);
    std::string exe = std::string("Z:") + bin + "/src/ui/WildmereBench.exe";
    for (char& c : exe) c = c == '/' ? '\\' : c;
    const HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    const HRSRC resource = FindResourceA(module, "UDUPG", "UDUPG");
    ASSERT_NE(resource, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    EXPECT_EQ(std::string(bytes, SizeofResource(module, resource)), ReadBytes(OwnFolder() + "upgrader.exe"));
    FreeLibrary(module);
}

}  // namespace
}  // namespace wmb
