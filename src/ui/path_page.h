#pragma once
// "Path": where the game is, and its version.

#include "ui/page.h"

namespace wmb::ui {

class PathPage : public Page {
public:
    using Page::Page;
    Edit PathBox() const;
    Label VersionLabel() const;

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
    void FindManClick();
};

}  // namespace wmb::ui
