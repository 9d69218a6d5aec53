#pragma once
// What the updater needs of Windows: the program's own path, today's date, the web browser, the
// downloaded files and their staging record beside the program, the information file's signature checked
// against the public key built into the program, and the upgrader written from the program's resources
// and started.

#include <windows.h>

#include "update/auto_updater.h"

namespace wmb {

class Win32UpdaterSystem : public IUpdaterSystem {
public:
    // `mainWindow` is closed when the upgrader has been started. An upgrader left by an earlier run goes.
    explicit Win32UpdaterSystem(HWND mainWindow);
    ~Win32UpdaterSystem() override;
    Win32UpdaterSystem(const Win32UpdaterSystem&) = delete;
    Win32UpdaterSystem& operator=(const Win32UpdaterSystem&) = delete;

    std::string ProgramPath() override;
    std::string ProgramFolder() override;
    TInfoDate Today() override;
    void OpenWebPage(const std::string& url) override;
    void DeleteTempFiles() override;
    void DeleteDownload(const std::string& path) override;
    void SetFileTime(const std::string& path, TDateTime time) override;
    std::optional<TFileDigest> FileDigest(const std::string& path) override;
    bool WriteStagingRecord(const std::string& text) override;
    bool InfoSignatureValid(const std::string& infoText, const std::string& signatureFile) override;
    void StartTimer(std::uint32_t ms, std::function<void()> due) override;
    bool Connected() override;
    void LaunchUpgrader(const std::string& restartParam) override;
    void CloseApplication() override;

    const std::string& UpgraderPath() const { return upgraderPath_; }

private:
    static void CALLBACK TimerDue(HWND window, UINT message, UINT_PTR id, DWORD time);

    HWND mainWindow_;
    std::function<void()> due_;
    std::string upgraderPath_;
};

}  // namespace wmb
