// The main window's pages: made when first wanted, the settings held for those not made yet.

#include "ui/main_window.h"
#include "ui/settings_binding.h"

namespace wmb::ui {
namespace {

constexpr const char* kPageTitles[] = {"Path",       "Demos",   "Settings 1", "Settings 2",
                                       "Settings 3", "General", "Screen",     "Specific"};

}  // namespace

void MainWindow::CreatePages() {
    tabs_ = TabControl(HeaderControl(IDC_TABS));
    for (const char* title : kPageTitles) tabs_.AddTab(title);
    pageArea_ = tabs_.PageArea();
    held_ = SettingsAsLaidOut([this](int id) -> const ControlRow* {
        for (const Page* page : pages_) {
            for (const ControlRow& row : page->Layout()) {
                if (row.Id == id) return &row;
            }
        }
        return nullptr;
    });
    ShowPage(0);
    OnNotify(IDC_TABS, TCN_SELCHANGE, [this](const NMHDR&) {
        ShowPage(tabs_.Selected());
        return 0;
    });
}

void MainWindow::ShowPage(int index) {
    tabs_.Select(index);
    MakePage(*pages_[static_cast<std::size_t>(index)]);
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        const Page& page = *pages_[static_cast<std::size_t>(i)];
        if (page.Handle()) page.Show(i == index);
    }
}

HWND MainWindow::FindControl(int id) const {
    if (HWND own = HeaderControl(id)) return own;
    for (const Page* page : pages_) {
        if (HWND child = page->ControlById(id)) return child;
    }
    return nullptr;
}

void MainWindow::MakePage(Page& page) {
    if (page.Handle()) return;
    page.Create(Handle(), pageArea_);
    SetWindowPos(page.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowSettings(held_, [&page](int id) { return page.ControlById(id); });
    const auto pending = pendingSteps_.find(&page);
    if (pending == pendingSteps_.end()) return;
    const std::vector<std::function<void()>> steps = std::move(pending->second);
    pendingSteps_.erase(pending);
    for (const auto& step : steps) step();
}

void MainWindow::WhenMade(Page& page, std::function<void()> step) {
    if (page.Handle()) {
        step();
    } else {
        pendingSteps_[&page].push_back(std::move(step));
    }
}

void MainWindow::MakeAllPages() {
    if (!Handle()) return;
    for (Page* page : pages_) MakePage(*page);
}

bool MainWindow::NextStepOnIdle() {
    for (Page* page : pages_) {
        if (!page->Handle()) {
            MakePage(*page);
            return true;
        }
    }
    if (unattended_) {
        // The window shows the progress; its settings are the profiles' until the run ends.
        for (Page* page : pages_) page->SetEnabled(false);
        unattended_->Begin();
        return false;
    }
    if (!news_.Handle()) news_.Create(instance_);
    return false;
}

BenchSettings MainWindow::ShownSettings() const {
    return ReadControls([this](int id) { return FindControl(id); }, held_);
}

void MainWindow::ShowAllSettings(const BenchSettings& settings) {
    held_ = settings;
    ShowSettings(settings, [this](int id) { return FindControl(id); });
}

// ---- SequenceWindow ----

BenchSettings MainWindow::CurrentSettings() {
    MakeAllPages();
    return ShownSettings();
}

}  // namespace wmb::ui
