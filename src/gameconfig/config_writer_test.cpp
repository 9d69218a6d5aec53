#include "gameconfig/config_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>

#include "gameconfig/options.h"
#include "support/memory_file_system.h"

namespace wmb {

namespace {

constexpr std::size_t kVegetationLine = 36;
constexpr std::size_t kLanguageLine = 40;
constexpr std::size_t kDriverLine = 70;
constexpr std::size_t kFsaaLine = 80;
constexpr std::size_t kSamplesLine = 81;
constexpr std::size_t kAnisotropyLine = 103;

const Folders kFolders{"C:\\Bench\\", "D:\\Games\\Wildmere\\Bin32\\", "D:\\Games\\Wildmere\\"};
const std::string kGameConfig = "D:\\Games\\Wildmere\\system.cfg";
const std::string kOverride = "D:\\Games\\Wildmere\\Systemcfgoverride.cfg";
const std::string kStrayConfig = "D:\\Games\\Wildmere\\Bin32\\system.cfg";
const std::string kUserBackup = "C:\\Bench\\Backup\\system.cfg";
const std::string kStrayBackup = "C:\\Bench\\Backup\\Bin32\\system.cfg";
const std::string kJournal = "C:\\Bench\\Backup\\sequence.jnl";
const std::string kGameCompiler = "D:\\Games\\Wildmere\\Bin32\\fxc.exe";
const std::string kOwnCompiler = "C:\\Bench\\DirectX9c\\fxc.exe";

// Direct3D, English, no geometry instancing: the options every compiled template already holds,
// with "1" and "None" for filtering and antialiasing.
BenchSettings PresetSettings(int detailLevel) {
    BenchSettings s;
    s.DetailLevel = detailLevel;
    s.AnisotropyIndex = 0;
    s.AntialiasIndex = 0;
    s.RendererIndex = 0;
    s.LanguageIndex = 1;
    s.ShaderModel = 0;
    return s;
}

class GameConfigWriterTest : public ::testing::Test {
protected:
    GameConfigWriterTest() { Restart(); }

    // A new writer, as after a start of the program.
    void Restart() {
        writer.emplace(files, journal, [this](const std::string& path) {
            versionQueries.push_back(path);
            const auto it = versions.find(path);
            return it == versions.end() ? std::string("Value Not Available") : it->second;
        });
    }
    void Write(const BenchSettings& settings) {
        writer->WriteGameConfig(settings, kFolders, [this] { files.Log.push_back("prepare"); });
    }
    ConfigText Written() const { return SplitConfigLines(files.Get(kGameConfig)); }
    bool Logged(const std::string& entry) const {
        return std::find(files.Log.begin(), files.Log.end(), entry) != files.Log.end();
    }

    test::MemoryFileSystem files;
    BackupJournal journal{files};
    std::map<std::string, std::string> versions;
    std::vector<std::string> versionQueries;
    std::optional<GameConfigWriter> writer;
};

}  // namespace

TEST_F(GameConfigWriterTest, EachPresetIsWrittenAsItsTemplateWithTheOptionLines) {
    Write(PresetSettings(1));
    EXPECT_EQ(files.Get(kGameConfig), JoinConfigLines(CompiledTemplate(Preset::Maximum)));
    EXPECT_EQ(files.Get(kGameConfig).substr(files.Get(kGameConfig).size() - 6), " \r\n \r\n");
    EXPECT_EQ(writer->QualityLabel(), "Maximum quality option");
    EXPECT_EQ(writer->RendererLabel(), "Direct3D");

    Write(PresetSettings(0));
    ConfigText ultra = CompiledTemplate(Preset::Ultra);
    ultra[kVegetationLine] = "e_vegetation_sprites_distance_ratio = \"1.0\"";
    EXPECT_EQ(files.Get(kGameConfig), JoinConfigLines(ultra));
    EXPECT_EQ(Written().back(), "ui_TriggerWidgetEvents = \"1\"");
    EXPECT_EQ(writer->QualityLabel(), "Ultra quality option");

    Write(PresetSettings(2));
    ConfigText minimum = CompiledTemplate(Preset::Minimum);
    minimum[kVegetationLine] = "e_vegetation_sprites_distance_ratio = \"1.0\"";
    EXPECT_EQ(files.Get(kGameConfig), JoinConfigLines(minimum));
    EXPECT_EQ(Written()[1], "");
    EXPECT_EQ(Written().back(), " ");
    EXPECT_EQ(writer->QualityLabel(), "Minimum quality option");
}

TEST_F(GameConfigWriterTest, FirstMaximumSequenceChangesExactlyTheSixOptionLines) {
    BenchSettings s = PresetSettings(1);
    s.AnisotropyIndex = 3;  // "8"
    s.AntialiasIndex = 3;   // "6"
    s.RendererIndex = 1;    // OpenGL
    s.LanguageIndex = 4;    // German
    s.GeometryInstancing = true;
    Write(s);

    const ConfigText compiled = CompiledTemplate(Preset::Maximum);
    const ConfigText written = Written();
    ASSERT_EQ(written.size(), compiled.size());
    const std::map<std::size_t, std::string> expected{
        {kAnisotropyLine, "r_Texture_Anisotropic_Level = \"8\""},
        {kFsaaLine, "r_FSAA = \"1\""},
        {kSamplesLine, "r_FSAA_samples = \"6\""},
        {kDriverLine, "r_Driver = \"OpenGL\""},
        {kLanguageLine, "g_language = \"german\""},
        {kVegetationLine, "e_vegetation_sprites_distance_ratio = \"100.0\""},
    };
    for (std::size_t i = 0; i < written.size(); ++i) {
        const auto it = expected.find(i);
        EXPECT_EQ(written[i], it == expected.end() ? compiled[i] : it->second) << "line " << i;
    }
    EXPECT_EQ(files.Get(kOverride), "r_geominstancing = \"1\"\r\n");
    EXPECT_EQ(writer->RendererLabel(), "OpenGL");
}

TEST_F(GameConfigWriterTest, PresetTemplateCarriesTheLastSequenceUntilRestart) {
    BenchSettings first = PresetSettings(1);
    first.AnisotropyIndex = 4;  // "16"
    first.AntialiasIndex = 4;   // "8"
    Write(first);
    BenchSettings second = PresetSettings(1);
    second.AnisotropyIndex = 5;  // "From System"
    second.AntialiasIndex = 5;
    Write(second);
    EXPECT_EQ(Written()[kAnisotropyLine], "r_Texture_Anisotropic_Level = \"16\"");
    EXPECT_EQ(Written()[kSamplesLine], "r_FSAA_samples = \"8\"");

    second.AntialiasIndex = 0;  // "None" after "8"
    Write(second);
    EXPECT_EQ(Written()[kFsaaLine], "r_FSAA = \"0\"");
    EXPECT_EQ(Written()[kSamplesLine], "r_FSAA_samples = \"1\"");

    // Another preset keeps its own template.
    Write(PresetSettings(0));
    EXPECT_EQ(Written()[kAnisotropyLine], "r_Texture_Anisotropic_Level = \"1\"");

    Restart();
    second.AntialiasIndex = 5;
    Write(second);
    EXPECT_EQ(Written()[kAnisotropyLine], "r_Texture_Anisotropic_Level = \"1\"");
    EXPECT_EQ(writer->QualityLabel(), "Maximum quality option");
}

TEST_F(GameConfigWriterTest, StepsRunInOrder) {
    files.Put(kStrayConfig, "stray\r\n");
    files.Put(kGameConfig, "user\r\n");
    files.Put(kOwnCompiler, "new compiler");
    files.Put(kGameCompiler, "old compiler");
    versions[kGameCompiler] = "9.5.132.0";
    BenchSettings s = PresetSettings(1);
    s.ShaderModel = 1;
    Write(s);

    EXPECT_EQ(files.Log, (std::vector<std::string>{
                             "copy " + kOwnCompiler + " -> " + kGameCompiler,
                             "copy " + kStrayConfig + " -> " + kStrayBackup,
                             "delete " + kStrayConfig,
                             "copy " + kGameConfig + " -> " + kUserBackup,
                             "write " + kJournal,
                             "delete " + kGameConfig,
                             "prepare",
                             "write " + kJournal,
                             "write " + kGameConfig,
                             "write " + kOverride,
                         }));
    EXPECT_EQ(files.Get(kGameCompiler), "new compiler");
    EXPECT_EQ(files.Get(kUserBackup), "user\r\n");
}

TEST_F(GameConfigWriterTest, ShaderCompilerCheckFollowsTheShaderModelOnly) {
    versions[kGameCompiler] = "9.7.239.0";
    BenchSettings s = PresetSettings(1);
    s.RendererIndex = 1;  // OpenGL
    s.ShaderModel = 2;    // 3.0
    Write(s);
    EXPECT_EQ(versionQueries, (std::vector<std::string>{kGameCompiler}));
    EXPECT_FALSE(Logged("copy " + kOwnCompiler + " -> " + kGameCompiler));
    EXPECT_EQ(ShaderPathArgument(s), "");

    versions.clear();  // no version information, or no file at all
    Write(s);
    EXPECT_TRUE(Logged("copy " + kOwnCompiler + " -> " + kGameCompiler));

    versionQueries.clear();
    s.ShaderModel = 0;
    Write(s);
    EXPECT_TRUE(versionQueries.empty());
}

TEST_F(GameConfigWriterTest, StrayBin32ConfigEndsUpOnlyInItsBackup) {
    files.Put(kStrayConfig, "stray = \"1\"\n");
    Write(PresetSettings(2));
    EXPECT_FALSE(files.FileExists(kStrayConfig));
    EXPECT_EQ(files.Get(kStrayBackup), "stray = \"1\"\n");
    EXPECT_FALSE(files.FileExists(kUserBackup));

    writer->RestoreUserConfig(kFolders);
    EXPECT_FALSE(files.FileExists(kStrayConfig));
}

TEST_F(GameConfigWriterTest, OriginalsStayWhenTheBackupFolderCannotBeWritten) {
    files.MakeReadOnly("C:\\Bench\\Backup\\");
    files.Put(kStrayConfig, "stray\r\n");
    files.Put(kGameConfig, "mine\n");
    files.Put(kUserBackup, "from an older sequence\r\n");
    EXPECT_THROW(writer->BeginSequence(kFolders), std::runtime_error);
    // Even without that first step nothing goes on without a backup of the user's file.
    EXPECT_THROW(Write(PresetSettings(1)), std::runtime_error);
    EXPECT_EQ(files.Get(kStrayConfig), "stray\r\n");
    EXPECT_EQ(files.Get(kGameConfig), "mine\n");
    EXPECT_FALSE(Logged("prepare"));
    EXPECT_FALSE(Logged("write " + kOverride));

    writer->RestoreUserConfig(kFolders);
    EXPECT_EQ(files.Get(kGameConfig), "mine\n");
}

TEST_F(GameConfigWriterTest, CustomFileIsCopiedUnchanged) {
    Write(PresetSettings(0));
    const std::string user = "r_Driver = \"Direct3D9\"\nr_FSAA = \"0\"\rno line end";
    files.Put("E:\\My\\system.cfg", user);
    BenchSettings s = PresetSettings(3);
    s.CustomConfigPath = "E:\\My\\system.cfg";
    s.AnisotropyIndex = 4;
    s.AntialiasIndex = 4;
    s.RendererIndex = 1;
    s.LanguageIndex = 7;
    Write(s);
    EXPECT_EQ(files.Get(kGameConfig), user);
    EXPECT_EQ(files.Get("E:\\My\\system.cfg"), user);
    EXPECT_EQ(files.Get(kOverride), "r_geominstancing = \"0\"\r\ne_vegetation_sprites_distance_ratio = \"1.0\"\r\n");
    EXPECT_EQ(writer->QualityLabel(), "Custom quality option");
    EXPECT_EQ(writer->RendererLabel(), "Direct3D");  // from the Ultra sequence before
}

TEST_F(GameConfigWriterTest, UnusableCustomFileChangesNothingAndNoSelectionWritesNothing) {
    Write(PresetSettings(2));
    files.RemoveFile(kOverride);
    files.Put(kGameConfig, "mine\r\n");
    files.Put("E:\\empty.cfg", "");
    for (const std::string& path : {std::string(), std::string("E:\\gone\\system.cfg"), std::string("E:\\empty.cfg")}) {
        BenchSettings s = PresetSettings(3);
        s.CustomConfigPath = path;
        EXPECT_NE(CustomConfigProblem(files, s), "") << path;
        files.Log.clear();
        EXPECT_THROW(Write(s), std::runtime_error) << path;
        EXPECT_EQ(files.Log, std::vector<std::string>{}) << path;
        EXPECT_EQ(files.Get(kGameConfig), "mine\r\n");
    }
    files.RemoveFile(kGameConfig);
    Write(PresetSettings(-1));
    EXPECT_FALSE(files.FileExists(kGameConfig));
    EXPECT_EQ(writer->QualityLabel(), "Minimum quality option");
}

TEST_F(GameConfigWriterTest, GameFoldersOwnConfigAsCustomFileIsUsedAndPutBack) {
    files.Put(kGameConfig, "own = \"1\"\r\n");
    BenchSettings s = PresetSettings(3);
    s.CustomConfigPath = kGameConfig;
    Write(s);
    EXPECT_EQ(files.Get(kGameConfig), "own = \"1\"\r\n");
    EXPECT_EQ(writer->QualityLabel(), "Custom quality option");
    writer->RestoreUserConfig(kFolders);
    EXPECT_EQ(files.Get(kGameConfig), "own = \"1\"\r\n");
}

TEST_F(GameConfigWriterTest, UltraScreenshotWithoutDisplayInfoHasFourOverrideLines) {
    BenchSettings s = PresetSettings(0);
    s.ScreenshotMode = true;
    s.AddDisplayInfo = false;
    Write(s);
    EXPECT_EQ(files.Get(kOverride),
              "r_geominstancing = \"0\"\r\nr_water_ocean_sun_reflection = \"1\"\r\n"
              "e_water_ocean_tesselation = \"2\"\r\ndemo_noinfo = \"1\"\r\n");
}

TEST_F(GameConfigWriterTest, WriteFailuresPropagate) {
    files.MakeReadOnly("D:\\Games\\Wildmere\\");
    EXPECT_THROW(Write(PresetSettings(1)), std::runtime_error);

    files.Put("E:\\My\\system.cfg", "x\r\n");
    BenchSettings custom = PresetSettings(3);
    custom.CustomConfigPath = "E:\\My\\system.cfg";
    EXPECT_THROW(Write(custom), std::runtime_error);
}

TEST_F(GameConfigWriterTest, RestorePutsTheUserConfigBackWithSoundOn) {
    files.Put(kGameConfig, "a = \"1\"\nS_SOUNDENABLE = \"0\"\ns_SoundEnable = \"0\"\n");
    Write(PresetSettings(1));
    writer->RestoreUserConfig(kFolders);
    const std::string restored = "a = \"1\"\r\ns_SoundEnable = \"1\"\r\ns_SoundEnable = \"0\"\r\n";
    EXPECT_EQ(files.Get(kGameConfig), restored);
    EXPECT_EQ(files.Get(kUserBackup), restored);
}

TEST_F(GameConfigWriterTest, RestoreWithoutSoundLineOnlyNormalisesLineEnds) {
    files.Put(kGameConfig, "a = \"1\"\rb = \"2\"\ns_SoundEnable = \"1\"");
    Write(PresetSettings(1));
    writer->RestoreUserConfig(kFolders);
    EXPECT_EQ(files.Get(kGameConfig), "a = \"1\"\r\nb = \"2\"\r\ns_SoundEnable = \"1\"\r\n");
    EXPECT_EQ(files.Get(kUserBackup), "a = \"1\"\rb = \"2\"\ns_SoundEnable = \"1\"");
}

TEST_F(GameConfigWriterTest, RestoreWithoutBackupLeavesTheGeneratedConfig) {
    Write(PresetSettings(2));
    const std::string generated = files.Get(kGameConfig);
    files.Log.clear();
    writer->RestoreUserConfig(kFolders);
    // Only the journal changes: it now says that no sequence is under way.
    for (const std::string& call : files.Log) EXPECT_NE(call.find("sequence.jnl"), std::string::npos) << call;
    EXPECT_FALSE(JournalSaysSequenceUnderWay(files.ReadFile(kFolders.Program + kJournalName)));
    EXPECT_EQ(files.Get(kGameConfig), generated);
}

}  // namespace wmb
