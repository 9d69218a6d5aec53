#include "ui/crash_reporting.h"

#include <memory>

#include "crash/crash_report.h"
#include "gameconfig/backup_journal.h"
#include "platform/win32/crash_handler.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/http_services_win32.h"
#include "platform/win32/version_reader.h"
#include "ui/crash_dialog.h"
#include "ui/maker_server.h"

namespace wmb::ui {
namespace {

// Posts the report through the program's HTTP client, whose events come to the crash dialog's thread
// through the dialog's dispatcher; the dialog's loop delivers them.
class CrashUploader {
public:
    explicit CrashUploader(UiDispatcher dialog) : services_(dialog) {}
    void Send(const std::string& text, std::function<void(const std::string&)> done) {
        if (!http_) http_ = std::make_unique<TudCustomHTTP>(services_);
        TudCustomHTTP& http = *http_;
        http.Url = CrashUploadAddress(MakerServer());
        http.UploadData = text;
        http.CustomHeaders = {"Content-Type: text/plain"};
        http.OnDone = [done](TudCustomHTTP&, const std::string&, TudBodyTarget, std::uint32_t) { done(""); };
        http.OnHttpError = [done](TudCustomHTTP&, std::int32_t code, TudBodyTarget) {
            done("the server answered with status " + std::to_string(code) + ".");
        };
        http.OnNoConnection = [done](TudCustomHTTP&) { done("there is no connection to the server."); };
        http.OnTransferLost = [done](TudCustomHTTP&, const std::string&, TudBodyTarget, std::uint32_t, std::uint32_t) {
            done("the connection was lost.");
        };
        http.OnRequestAborted = [done](TudCustomHTTP&) { done("the transfer was stopped."); };
        if (!http.StartRequest()) done("a transfer is still running.");
    }

private:
    Win32HttpServices services_;
    std::unique_ptr<TudCustomHTTP> http_;
};

}  // namespace

void InstallCrashReporting(HINSTANCE instance) {
    CrashHandlerSetup setup;
    setup.ProgramVersion = ProgramVersion();
    setup.CrashFolder = UserCrashFolder();
    setup.JournalPath = ProgramFolder() + kJournalName;
    setup.Present = [instance](const CrashDetails& details) {
        if (TestCrashKind() == "second-fault") TriggerTestCrash("access-violation");
        std::unique_ptr<CrashUploader> uploader;
        CrashDialog dialog([&uploader, &dialog](const std::string& text, std::function<void(const std::string&)> done) {
            if (!uploader) uploader = std::make_unique<CrashUploader>(dialog.Dispatcher());
            uploader->Send(text, std::move(done));
        });
        dialog.Show(instance, details);
    };
    InstallCrashHandler(std::move(setup));
}

}  // namespace wmb::ui
