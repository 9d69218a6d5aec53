// The game's configuration as text: splitting and joining, line search, the option substitution on
// a configuration of the input's making, and a whole sequence's writing and restoring with the
// input as the user's own system.cfg and custom configuration file. The options come from the
// input's last bytes.

#include <exception>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "gameconfig/config_text.h"
#include "gameconfig/backup_journal.h"
#include "gameconfig/config_writer.h"
#include "gameconfig/options.h"
#include "support/memory_file_system.h"

using namespace wmb;
using namespace wmb::fuzz;

namespace {

BenchSettings TailSettings(const std::string& input) {
    BenchSettings s;
    s.AnisotropyIndex = TailChoice(input, 0, static_cast<int>(kAnisotropyItems.size()));
    s.AntialiasIndex = TailChoice(input, 1, static_cast<int>(kAntialiasItems.size()));
    s.RendererIndex = TailChoice(input, 2, static_cast<int>(kRendererItems.size()));
    s.LanguageIndex = TailChoice(input, 3, static_cast<int>(kLanguageItems.size()));
    s.ShaderModel = TailChoice(input, 4, static_cast<int>(kShaderItems.size()));
    s.DetailLevel = TailChoice(input, 5, static_cast<int>(kDetailItems.size()));
    s.GeometryInstancing = TailBit(input, 6, 0);
    s.ScreenshotMode = TailBit(input, 6, 1);
    s.AddDisplayInfo = TailBit(input, 6, 2);
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = InputText(data, size);
    const BenchSettings settings = TailSettings(bytes);

    ConfigText text = SplitConfigLines(bytes);
    Require(SplitConfigLines(JoinConfigLines(text)) == text, "joined lines split into the same lines");
    if (!text.empty()) {
        for (const std::size_t i : {std::size_t{0}, text.size() / 2, text.size() - 1}) {
            const auto found = FindLine(text, text[i]);
            Require(found && *found <= i && SameLine(text[*found], text[i]), "a line of the text is found");
        }
    }

    const std::size_t lineCount = text.size();
    ApplyOptions(text, settings);
    ApplyVegetationRatio(text, settings.GeometryInstancing);
    Require(text.size() == lineCount, "the options keep the number of lines");
    if (const auto preset = PresetFromDetailLevel(settings.DetailLevel)) OverrideLines(*preset, settings);
    ShaderPathArgument(settings);

    // A sequence with the input as the user's configuration, the stray Bin32 copy and the custom file.
    test::MemoryFileSystem fs;
    const Folders folders{"C:\\Bench\\", "C:\\Game\\Bin32\\", "C:\\Game\\"};
    fs.Put(folders.Game + "system.cfg", bytes);
    fs.Put(folders.Bin32 + "system.cfg", bytes);
    fs.Put("C:\\Configs\\mine.cfg", bytes);
    BenchSettings sequence = settings;
    sequence.CustomConfigPath = "C:\\Configs\\mine.cfg";
    const std::string compilerVersion = text.empty() ? std::string() : text.front();
    BackupJournal journal(fs);
    GameConfigWriter writer(fs, journal, [&](const std::string&) { return compilerVersion; });
    try {
        writer.BeginSequence(folders);
        writer.WriteGameConfig(sequence, folders, [] {});
    } catch (const std::exception&) {
        // A configuration that cannot be backed up stops the sequence; nothing to restore then.
    }
    writer.RestoreUserConfig(folders);
    const ConfigText restored = SplitConfigLines(fs.Get(folders.Game + "system.cfg"));
    Require(restored.size() == SplitConfigLines(bytes).size(), "the restored configuration keeps its lines");

    // The same bytes read as the backup journal.
    if (const auto state = ParseJournal(bytes)) {
        Require(ParseJournal(JournalText(*state)) == state, "a journal reads back as it was written");
    }
    return 0;
}
