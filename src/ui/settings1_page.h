#pragma once
// "Settings 1": resolutions, the custom resolution and the detail level.

#include <memory>

#include "ui/page.h"
#include "ui/subclass.h"

namespace wmb::ui {

class Settings1Page : public Page {
public:
    using Page::Page;
    RadioGroup DetailLevels() const;
    // Detail-level rule: the custom file's box and button follow "Custom config file:".
    void DetailBoxChanging();
    // The custom size boxes and "Possibilities" follow the custom-resolution check box.
    void EnableCustomSize(bool enabled);
    void SetCustomSize(const std::string& width, const std::string& height);

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
    void CusResBoxClick();
    void WriteCustomResolutionFlag();
    void DetailButtonClick();

    std::unique_ptr<Subclass> cusResBoxWatch_;
};

}  // namespace wmb::ui
