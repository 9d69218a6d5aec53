#pragma once
// "General": results folder, notes, the reports' decimal separator, the wait between tests and the repeat of
// a resolution whose runs vary.

#include "ui/page.h"

namespace wmb::ui {

class GeneralPage : public Page {
public:
    using Page::Page;
    Label DecimalLabel() const;

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
    void OpenResFolderClick();
    void DecBoxExit();
};

}  // namespace wmb::ui
