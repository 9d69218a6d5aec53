#pragma once
// "Settings 3": renderer, number of runs and the game's language.

#include "ui/page.h"

namespace wmb::ui {

class Settings3Page : public Page {
public:
    using Page::Page;
    ComboBox RunCount() const;

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
};

}  // namespace wmb::ui
