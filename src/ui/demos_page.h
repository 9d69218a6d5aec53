#pragma once
// "Demos": the built-in demos and the user's own.

#include "ui/page.h"

namespace wmb::ui {

class DemosPage : public Page {
public:
    using Page::Page;
    RadioGroup Demos() const;
    // Applies the demo rule to the page and tells the host (also after the settings were shown).
    void DemoChanging();

private:
    void Build() override;
};

}  // namespace wmb::ui
