#pragma once
// "Demos": the built-in demos and the user's own (the map and demo boxes, the demo search, the import).

#include <string>

#include "platform/win32/search_file_system.h"
#include "search/file_finder.h"
#include "ui/page.h"
#include "ui/resource.h"

namespace wmb::ui {

class DemosPage : public Page {
public:
    explicit DemosPage(PageHost& host);
    RadioGroup Demos() const;
    ComboBox MapBox() const { return Ctl<ComboBox>(IDC_MAPNAMEBOX); }
    ComboBox DemoBox() const { return Ctl<ComboBox>(IDC_DEMONAMEBOX); }
    // Applies the demo rule to the page and tells the host (also after the settings were shown).
    void DemoChanging();
    // Appends the game's level folders to the map box (never clearing it), chooses the stored map and
    // lists its demos.
    void FillMapList(const std::string& storedMap);
    // Lists the demo files of the map in the map box, in its level folder and the folders below it.
    void RefreshDemoList();

private:
    void Build() override;
    std::span<const ControlRow> Layout() const override;
    void ListDemosOf(const std::string& mapText);
    void ImportDemo();

    Win32SearchFileSystem searchFiles_;
    TFileFinder findwmdemo_{searchFiles_};
};

}  // namespace wmb::ui
