// Version texts: every line of the input is the "FileVersion" string of a version resource, checked
// as the engine library's version (at start and after a manual choice, with the next line as the
// stored shader model) and as the shader compiler's.

#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "gameconfig/config_text.h"
#include "gameconfig/options.h"
#include "settings/game_location.h"

using namespace wmb;
using namespace wmb::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = InputText(data, size);
    const std::vector<std::string> lines = SplitConfigLines(input);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const FileVersion version = NormalizeFileVersion(lines[i]);
        Require(lines[i].empty() || version.Text.find_first_of(" ,") == std::string::npos,
                "a normalised version has no blank or comma");
        const std::string storedShaderModel = i + 1 < lines.size() ? lines[i + 1] : std::string();
        BuildNumber(version.Build);
        CheckGameVersionAtStart(version, storedShaderModel);
        CheckGameVersionAfterChoice(version, storedShaderModel, static_cast<int>(i % 5) - 1,
                                    i % 2 ? "Screenshot" : "Benchmark");
        SpecificTabEnabled(version.Build);
        ShaderCompilerNeedsCopy(version.Text);
    }
    return 0;
}
