#pragma once
// "Specific": HDR, geometry instancing and normal-map compression.

#include "ui/page.h"

namespace wmb::ui {

class SpecificPage : public Page {
public:
    using Page::Page;
    // The HDR level and "Run the demo twice" follow the HDR check box (also after the settings were shown).
    void HdrBoxClick();
    bool RunTwice() const;

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
};

}  // namespace wmb::ui
