#pragma once
// "Screen": screenshot mode, the frame to capture and where the pictures go.

#include "ui/page.h"

namespace wmb {
struct ScreenshotModeEffects;
}

namespace wmb::ui {

class ScreenPage : public Page {
public:
    using Page::Page;
    bool ScreenshotMode() const;
    void ApplyScreenshotMode(const ScreenshotModeEffects& effects);
    void ApplyDemoChoice(const DemoChoiceEffects& effects);
    // The range the user gave the user demo: frames 1 to `frames`, the last one chosen.
    void SetFrameRange(int frames);
    // Unticks screenshot mode, with the effects of switching it off.
    void SwitchScreenshotModeOff();

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;

    int frameMaximum_ = 1;
};

}  // namespace wmb::ui
