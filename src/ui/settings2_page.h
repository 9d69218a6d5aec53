#pragma once
// "Settings 2": pixel shader model and filters.

#include "ui/page.h"

namespace wmb::ui {

class Settings2Page : public Page {
public:
    using Page::Page;
    RadioGroup ShaderModels() const;
    ComboBox Antialiasing() const;

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
};

}  // namespace wmb::ui
