#pragma once
// The dialog the crash handler shows: what happened, the text report, "Send report" (posts the report to
// the maker), "Save report..." (a copy where the user chooses) and "Close". It runs on the crash handler's
// own thread, owned by no window, since the program's windows may be stuck.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/crash_handler.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/modal_dialog.h"

namespace wmb::ui {

inline constexpr const char* kCrashDialogClass = "WildmereBenchCrashDialog";
inline constexpr const char* kCrashDialogCaption = "Wildmere Benchmark - Error report";

// Sends the report's text; calls `done` on the dialog's thread with "" on success, else what went wrong.
using CrashReportSender = std::function<void(const std::string& text, std::function<void(const std::string& problem)> done)>;

class CrashDialog : public ModalDialog {
public:
    explicit CrashDialog(CrashReportSender sender) : sender_(std::move(sender)) {}
    // Creates the dialog, shows it modally and returns once the user closed it.
    void Show(HINSTANCE instance, const CrashDetails& details);

private:
    void OnCreate() override;
    void Send();
    void Save();
    void SetSendStatus(const std::string& text) const;
    // Sizes the summary to its measured text and moves the rest of the dialog below it.
    void FitToSummary(const std::string& summary);

    CrashReportSender sender_;
    CrashDetails details_;
    Font font_;
    ControlHandles controls_;
};

}  // namespace wmb::ui
