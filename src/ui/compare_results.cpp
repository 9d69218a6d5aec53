#include "ui/compare_results.h"

#include <vector>

#include "compare/compare_tool.h"
#include "platform/win32/wrappers/code_page_text.h"
#include "ui/shell_dialogs.h"

namespace wmb::ui {

void CompareChosenResults(HWND owner, const std::function<void(const std::string&)>& tell,
                          const std::function<void(const std::string&)>& open) {
    std::vector<std::string> inputs;
    if (!ChooseFiles(owner, "Results files (*.json)\0*.json\0", inputs, "Compare results")) return;
    if (inputs.size() < 2) {
        tell("Choose two or more results files to compare.");
        return;
    }
    const CompareOutcome outcome = RunCompare(inputs, AnsiToUtf8, FullPath);
    if (outcome.ExitCode != 0) {
        tell(Utf8ToAnsi(outcome.Message));
        return;
    }
    open(outcome.WrittenPath);
}

}  // namespace wmb::ui
