#include "settings/settings_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "support/memory_file_system.h"

namespace wmb {
namespace {

using test::MemoryFileSystem;
using test::MemorySettings;
using ::testing::ElementsAre;

const std::vector<std::string> kAllModes = {"640 x 480",   "800 x 600",   "1024 x 768", "1280 x 1024",
                                            "1600 x 1200", "2048 x 1536", "1152 x 864"};

const Folders kFolders{"C:\\Bench\\", "C:\\Games\\Wildmere\\Bin32\\", "C:\\Games\\Wildmere\\"};

// Remembers the order of the writes as well as the values.
class RecordingSettings : public MemorySettings {
public:
    std::vector<std::string> Written;
    bool Write(const std::string& name, const std::string& value) override {
        Written.push_back(name);
        return MemorySettings::Write(name, value);
    }
};

class SettingsLoad : public ::testing::Test {
protected:
    LoadResult Load(const std::vector<std::string>& modes = kAllModes) {
        return LoadSettings(store, store, modes, settings);
    }
    MemorySettings store;
    BenchSettings settings;
};

TEST_F(SettingsLoad, EmptyKeySelectsNothingAndKeepsAddInfoOn) {
    const LoadResult result = Load();
    for (int i = 0; i < kFixedSlotCount; ++i) {
        EXPECT_FALSE(settings.ResolutionChecked[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(settings.ResolutionAvailable[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(settings.DemoIndex, -1);
    EXPECT_EQ(settings.DetailLevel, -1);
    EXPECT_EQ(settings.AnisotropyIndex, -1);
    EXPECT_EQ(settings.AntialiasIndex, -1);
    EXPECT_EQ(settings.LanguageIndex, -1);
    EXPECT_EQ(settings.RendererIndex, -1);
    EXPECT_EQ(settings.RunCount, "");
    EXPECT_EQ(settings.Note, "");
    EXPECT_EQ(settings.WaitSeconds, "");
    EXPECT_EQ(settings.HdrLevel, "");
    EXPECT_TRUE(settings.AddDisplayInfo);
    EXPECT_FALSE(settings.CustomResolution);
    EXPECT_FALSE(result.CustomControlsEnabled);
    EXPECT_FALSE(result.CustomConfigControlsEnabled);
    EXPECT_FALSE(result.DemoChangeRuleDue);
    // An absent size is no mode of the monitor, so it is reset at once.
    EXPECT_TRUE(result.CustomSizeReset);
    EXPECT_EQ(store.Values["CusW"], "0");
    EXPECT_EQ(store.Values["CusH"], "0");
    EXPECT_EQ(store.Values.count("News"), 0u);
}

TEST_F(SettingsLoad, FirstStartWithGameInitialisesSeparatorAndFolders) {
    Load();
    LoadGameSettings(store, kFolders, ',', settings);
    EXPECT_EQ(store.Values["FirstRun"], "Some");
    EXPECT_EQ(store.Values["Decimal"], ",");
    EXPECT_EQ(settings.ReportDecimalSeparator, ",");
    EXPECT_EQ(store.Values["ResultPath"], "C:\\Games\\Wildmere\\Benchmark\\");
    EXPECT_EQ(store.Values["ScrPath"], "C:\\Games\\Wildmere\\Screenshot\\");
    EXPECT_EQ(settings.ResultsFolder, "C:\\Games\\Wildmere\\Benchmark\\");
    EXPECT_EQ(settings.ScreenshotFolder, "C:\\Games\\Wildmere\\Screenshot\\");
    EXPECT_EQ(DecimalSeparatorLabel(settings.ReportDecimalSeparator), "(comma)");
}

TEST_F(SettingsLoad, LaterStartKeepsStoredSeparatorAndFolders) {
    store.Values = {{"FirstRun", "Some"}, {"Decimal", "."}, {"ResultPath", "D:\\R\\"}, {"ScrPath", "D:\\S\\"}};
    Load();
    LoadGameSettings(store, kFolders, ',', settings);
    EXPECT_EQ(settings.ReportDecimalSeparator, ".");
    EXPECT_EQ(store.Values["Decimal"], ".");
    EXPECT_EQ(settings.ResultsFolder, "D:\\R\\");
    EXPECT_EQ(settings.ScreenshotFolder, "D:\\S\\");
    EXPECT_EQ(DecimalSeparatorLabel("."), "(period)");
    EXPECT_EQ(DecimalSeparatorLabel(";"), "(period)");
}

TEST_F(SettingsLoad, StoredSeparatorThatIsNoneFallsBackToRegional) {
    store.Values = {{"FirstRun", "Some"}, {"Decimal", ""}};
    LoadGameSettings(store, kFolders, ',', settings);
    EXPECT_EQ(settings.ReportDecimalSeparator, ",");
    EXPECT_EQ(store.Values["Decimal"], "");
}

TEST_F(SettingsLoad, StartWithoutGameWritesRegionalSeparatorOnly) {
    store.Values = {{"Decimal", "."}};
    LoadDecimalWithoutGame(store, ',', settings);
    EXPECT_EQ(settings.ReportDecimalSeparator, ",");
    EXPECT_EQ(store.Values["Decimal"], ",");
    EXPECT_EQ(store.Values.count("FirstRun"), 0u);
}

TEST_F(SettingsLoad, ListsTakeTheirOwnStoredForms) {
    store.Values = {{"Language", "8"}, {"Demo", "11"}, {"AFLevel", "3"}, {"AALevel", "3"},
                    {"Detail", "4"},   {"Renderer", "2"}};
    const LoadResult result = Load();
    EXPECT_EQ(ItemText(kLanguageItems, settings.LanguageIndex), "Russian");
    EXPECT_EQ(settings.DemoIndex, 10);
    EXPECT_TRUE(result.DemoChangeRuleDue);
    EXPECT_EQ(ItemText(kAnisotropyItems, settings.AnisotropyIndex), "4");
    EXPECT_EQ(settings.AntialiasIndex, -1);
    EXPECT_EQ(ItemText(kDetailItems, settings.DetailLevel), "Custom config file:");
    EXPECT_TRUE(result.CustomConfigControlsEnabled);
    EXPECT_EQ(ItemText(kRendererItems, settings.RendererIndex), "OpenGL");

    MemorySettings saved;
    SaveSettings(saved, settings);
    EXPECT_EQ(saved.Values["Language"], "8");
    EXPECT_EQ(saved.Values["Demo"], "11");
    EXPECT_EQ(saved.Values["AFLevel"], "3");
    EXPECT_EQ(saved.Values.count("AALevel"), 0u);
}

TEST_F(SettingsLoad, TextsOutsideTheFormsSelectNothing) {
    store.Values = {{"Demo", "12"}, {"Detail", "0"},    {"Language", "9"}, {"AFLevel", "8"},
                    {"AALevel", "5"}, {"Renderer", " 1"}, {"HDR", "yes"},   {"AddScInf", ""}};
    const LoadResult result = Load();
    EXPECT_EQ(settings.DemoIndex, -1);
    EXPECT_FALSE(result.DemoChangeRuleDue);
    EXPECT_EQ(settings.DetailLevel, -1);
    EXPECT_EQ(settings.LanguageIndex, -1);
    EXPECT_EQ(settings.AnisotropyIndex, -1);
    EXPECT_EQ(settings.AntialiasIndex, -1);
    EXPECT_EQ(settings.RendererIndex, -1);
    EXPECT_FALSE(settings.HdrEnabled);
    EXPECT_TRUE(settings.AddDisplayInfo);
}

TEST_F(SettingsLoad, SystemItemsAndSampleCounts) {
    store.Values = {{"AFLevel", "Sys"}, {"AALevel", "Sys"}};
    Load();
    EXPECT_EQ(ItemText(kAnisotropyItems, settings.AnisotropyIndex), "From System");
    EXPECT_EQ(ItemText(kAntialiasItems, settings.AntialiasIndex), "From System");
    store.Values = {{"AALevel", "1"}};
    Load();
    EXPECT_EQ(ItemText(kAntialiasItems, settings.AntialiasIndex), "None");
    store.Values = {{"AALevel", "6"}, {"AFLevel", "5"}};
    Load();
    EXPECT_EQ(ItemText(kAntialiasItems, settings.AntialiasIndex), "6");
    EXPECT_EQ(ItemText(kAnisotropyItems, settings.AnisotropyIndex), "16");
}

TEST_F(SettingsLoad, CustomSizeOfferedByTheMonitor) {
    store.Values = {{"CusW", "1280"}, {"CusH", "1024"}, {"CusRes", "1"}};
    LoadResult result = Load();
    EXPECT_EQ(settings.CustomWidth, "1280");
    EXPECT_EQ(settings.CustomHeight, "1024");
    EXPECT_TRUE(settings.CustomResolution);
    EXPECT_TRUE(result.CustomControlsEnabled);
    EXPECT_FALSE(result.CustomSizeReset);

    settings = {};
    store.Values["CusRes"] = "0";
    result = Load();
    EXPECT_EQ(settings.CustomWidth, "1280");
    EXPECT_FALSE(settings.CustomResolution);
    EXPECT_FALSE(result.CustomControlsEnabled);
}

TEST_F(SettingsLoad, CustomSizeNotOfferedIsResetAtOnce) {
    store.Values = {{"CusW", "1920"}, {"CusH", "1200"}, {"CusRes", "1"}};
    const LoadResult result = Load();
    EXPECT_TRUE(result.CustomSizeReset);
    EXPECT_FALSE(result.CustomControlsEnabled);
    EXPECT_EQ(store.Values["CusW"], "0");
    EXPECT_EQ(store.Values["CusH"], "0");
    EXPECT_EQ(settings.CustomWidth, "");
    EXPECT_FALSE(settings.CustomResolution);
}

TEST_F(SettingsLoad, CustomSizeOfZeroIsLeftAlone) {
    store.Values = {{"CusW", "0"}, {"CusH", "768"}, {"CusRes", "1"}};
    const LoadResult result = Load();
    EXPECT_FALSE(result.CustomSizeReset);
    EXPECT_EQ(store.Values["CusH"], "768");
    EXPECT_EQ(settings.CustomHeight, "");
    EXPECT_FALSE(settings.CustomResolution);
}

TEST_F(SettingsLoad, SlotTheMonitorLacksIsDisabledAndSavedOff) {
    store.Values = {{"640", "1"}, {"1024", "0"}, {"2048", "1"}};
    const std::vector<std::string> modes = {"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024", "1600 x 1200"};
    Load(modes);
    EXPECT_TRUE(settings.ResolutionChecked[0]);
    EXPECT_FALSE(settings.ResolutionChecked[2]);
    EXPECT_FALSE(settings.ResolutionAvailable[5]);
    EXPECT_FALSE(settings.ResolutionChecked[5]);
    EXPECT_TRUE(settings.ResolutionAvailable[4]);

    SaveSettings(store, settings);
    EXPECT_EQ(store.Values["640"], "1");
    EXPECT_EQ(store.Values["2048"], "0");
}

TEST(SettingsSave, ListsWithoutNameableSelectionKeepStoredValues) {
    MemorySettings store;
    store.Values = {{"Demo", "4"}, {"Detail", "2"}, {"PS", "3"}, {"Renderer", "1"},
                    {"AFLevel", "Sys"}, {"AALevel", "8"}, {"Language", "3"}};
    BenchSettings settings;
    settings.DemoIndex = 11;  // the user-defined demo has no stored form
    SaveSettings(store, settings);
    EXPECT_EQ(store.Values["Demo"], "4");
    EXPECT_EQ(store.Values["Detail"], "2");
    EXPECT_EQ(store.Values["PS"], "3");
    EXPECT_EQ(store.Values["Renderer"], "1");
    EXPECT_EQ(store.Values["AFLevel"], "Sys");
    EXPECT_EQ(store.Values["AALevel"], "8");
    EXPECT_EQ(store.Values["Language"], "3");
}

TEST(SettingsSave, WritesTheExitValuesInOrderAndClearsTheRunCache) {
    RecordingSettings store;
    store.Values = {{"Display Memory", "256 MB"}, {"Driver Version", "6.14"}, {"Sound", "AC97"}, {"News", "1"},
                    {"CustomConfig", "C:\\my.cfg"}, {"CusW", "1152"}, {"CusRes", "1"}};
    BenchSettings settings;
    settings.DemoIndex = 0;
    settings.DetailLevel = 1;
    settings.ShaderModel = 2;
    settings.RendererIndex = 0;
    settings.AnisotropyIndex = 3;
    settings.AntialiasIndex = 5;
    settings.LanguageIndex = 0;
    settings.CustomConfigPath = "C:\\other.cfg";
    settings.CustomWidth = "800";
    SaveSettings(store, settings);
    EXPECT_THAT(store.Written,
                ElementsAre("Path", "640", "800", "1024", "1280", "1600", "2048", "Demo", "Detail", "PS", "Renderer",
                            "AFLevel", "AALevel", "TRun", "ResultPath", "Decimal", "Note", "Mapname", "Demoname",
                            "Wait", "ScrPath", "HDR", "HDRLevel", "GI", "NormalMaps", "AddScInf", "Language",
                            "Repeat", "RepeatLimit", "RepeatMost", "Display Memory", "Driver Version", "Sound",
                            "News"));
    EXPECT_EQ(store.Values["Display Memory"], "");
    EXPECT_EQ(store.Values["Driver Version"], "");
    EXPECT_EQ(store.Values["Sound"], "");
    EXPECT_EQ(store.Values["News"], "0");
    EXPECT_EQ(store.Values["AFLevel"], "4");
    EXPECT_EQ(store.Values["AALevel"], "Sys");
    EXPECT_EQ(store.Values["Language"], "0");
    EXPECT_EQ(store.Values["AddScInf"], "1");
    // Written the moment they change, never at exit.
    EXPECT_EQ(store.Values["CustomConfig"], "C:\\my.cfg");
    EXPECT_EQ(store.Values["CusW"], "1152");
}

TEST(SettingsSave, ClosedKeyReceivesNothing) {
    RecordingSettings store;
    store.Open = false;
    SaveSettings(store, BenchSettings{});
    EXPECT_TRUE(store.Written.empty());
}

TEST(SettingsRoundTrip, EveryStoredFieldComesBack) {
    BenchSettings original;
    original.GamePath = "C:\\Games\\Wildmere\\Bin32\\Wildmere.exe";
    original.ResultsFolder = "D:\\Results\\";
    original.ScreenshotFolder = "D:\\Shots\\";
    original.CustomConfigPath = "D:\\cfg\\system.cfg";
    original.ResolutionAvailable.fill(true);
    original.ResolutionChecked = {true, false, true, true, false, true};
    original.CustomWidth = "1152";
    original.CustomHeight = "864";
    original.CustomResolution = true;
    original.DemoIndex = 7;
    original.DetailLevel = 2;
    original.ShaderModel = 1;
    original.RendererIndex = 1;
    original.AnisotropyIndex = 4;
    original.AntialiasIndex = 2;
    original.RunCount = "15";
    original.Note = "Driver 93.71, \"quiet\" run";
    original.WaitSeconds = "7";
    original.HdrEnabled = true;
    original.HdrLevel = "11";
    original.GeometryInstancing = true;
    original.NormalMapCompression = true;
    original.LanguageIndex = 4;
    original.AddDisplayInfo = false;
    original.ReportDecimalSeparator = ",";
    original.UserMapFolder = "Harbour";
    original.UserDemoFile = "mine.tmd";
    original.RepeatVaryingSlots = true;
    original.RepeatLimitPercent = "12";
    original.RepeatMostLaunches = "5";

    MemorySettings store;
    store.Values["FirstRun"] = "Some";
    SaveSettings(store, original);
    // The immediate writes of their own controls.
    for (const SettingRow& row : SettingsTable()) {
        if (row.Written != WriteTime::Immediately) continue;
        if (const auto text = StoredText(row, original)) store.Write(row.Name, *text);
    }

    MemoryFileSystem fs;
    fs.Put("C:\\Games\\Wildmere\\Levels\\Harbour\\mine.tmd", "demo");
    BenchSettings loaded;
    loaded.GamePath = store.Read("Path");
    LoadSettings(store, store, kAllModes, loaded);
    LoadGameSettings(store, kFolders, '.', loaded);
    loaded.ShaderModel = ItemFromStored(SettingRowNamed("PS"), store.Read("PS")).value_or(-1);
    loaded.UserMapFolder = store.Read("Mapname");
    RestoreUserDemoFile(store, fs, kFolders, loaded);

    for (const SettingRow& row : SettingsTable()) {
        EXPECT_EQ(StoredText(row, loaded), StoredText(row, original)) << row.Name;
    }
    EXPECT_EQ(loaded.ResolutionChecked, original.ResolutionChecked);
    EXPECT_EQ(loaded.CustomResolution, original.CustomResolution);
    EXPECT_EQ(loaded.ShaderModel, original.ShaderModel);
    EXPECT_EQ(loaded.AddDisplayInfo, original.AddDisplayInfo);
}

TEST(SettingsTable, EveryFormFitsItsFieldAndNamesAreUnique) {
    std::set<std::string> names;
    for (const SettingRow& row : SettingsTable()) {
        EXPECT_TRUE(names.insert(row.Name).second) << row.Name;
        const bool item = row.Form != StoredForm::Text && row.Form != StoredForm::Flag &&
                          row.Form != StoredForm::FlagUnlessZero;
        if (std::holds_alternative<int BenchSettings::*>(row.Field)) {
            EXPECT_TRUE(item) << row.Name;
            EXPECT_EQ(ItemForms(row).size(), static_cast<std::size_t>(row.ItemCount)) << row.Name;
        } else if (std::holds_alternative<std::string BenchSettings::*>(row.Field) ||
                   std::holds_alternative<std::monostate>(row.Field)) {
            EXPECT_EQ(row.Form, StoredForm::Text) << row.Name;
            EXPECT_NE(row.Accepted, Accepts::StoredForms) << row.Name << ": a text needs its control's rule";
        } else {
            EXPECT_TRUE(row.Form == StoredForm::Flag || row.Form == StoredForm::FlagUnlessZero) << row.Name;
        }
    }
    EXPECT_THROW(SettingRowNamed("Nope"), std::out_of_range);
}

TEST(StoredValues, OnlyWhatTheControlTakesIsRead) {
    const std::string injection = "1\" \"#demo_num_runs=0\" \"#r_Width=4096";
    const struct {
        const char* name;
        std::string text;
        bool taken;
    } cases[] = {
        {"HDRLevel", "11", true},          {"Wait", "10", true},                {"Wait", " 5", false},
        {"CusW", "12800", true},           {"CusW", "128000", false},           {"TRun", "100", true},
        {"TRun", "7", false},              {"TRun", "15 ", false},              {"640", "1", true},
        {"640", "yes", false},             {"AddScInf", "0", true},             {"AddScInf", "", false},
        {"AFLevel", "Sys", true},          {"AFLevel", "6", false},             {"Language", "8", true},
        {"Decimal", ",", true},            {"Decimal", ";", false},             {"News", "2", false},
        {"NoErrorWarning", "1", true},     {"Path", "C:\\W\\Wildmere.exe", true}, {"Path", "C:\\W\"x.exe", false},
        {"ResultPath", "D:\\R\r\n", false}, {"ScrPath", std::string(259, 'a'), true},
        {"ScrPath", std::string(260, 'a'), false}, {"CustomConfig", std::string("a\0b", 3), false},
        {"Mapname", "Harbour", true},      {"Mapname", "..\\Harbour", false}, {"Demoname", "a:b.tmd", false},
        {"Mapname", "..", false},         {"Repeat", "2", false},              {"RepeatLimit", "99", true},
        {"RepeatLimit", "3.5", false},     {"RepeatMost", "9", true},           {"RepeatMost", "-1", false},
        {"Note", "a \"quiet\" run", true}, {"Note", "two\nlines", false},  {"Sound", std::string(40000, 'x'), false},
        {"NotInTheTable", "x", false},
    };
    for (const auto& c : cases) {
        MemorySettings key;
        key.Values[c.name] = c.text;
        const CheckedSettingsStore checked(key);
        // A text not taken reads as absent, or as the box's default for the boxes that have one.
        const bool table = std::string(c.name) != "NotInTheTable";
        const char* invalid = table ? SettingRowNamed(c.name).InvalidText : nullptr;
        EXPECT_EQ(checked.Read(c.name), c.taken ? c.text : invalid ? invalid : "")
            << c.name << " = " << c.text.substr(0, 40);
    }
}

// A stored HDR level the spin box does not offer reads as the default level; an absent one stays absent.
TEST(StoredValues, HdrLevelOutsideOneToElevenReadsAsTheDefault) {
    const std::pair<std::string, const char*> cases[] = {
        {"", ""},    {"1", "1"},  {"11", "11"}, {"0", "1"},  {"12", "1"},  {"111", "1"},
        {"-1", "1"}, {"07", "1"}, {"x", "1"},   {"1\" \"#demo_num_runs=0", "1"},
    };
    for (const auto& [stored, read] : cases) {
        MemorySettings key;
        key.Values["HDRLevel"] = stored;
        const CheckedSettingsStore checked(key);
        EXPECT_EQ(checked.Read("HDRLevel"), read) << stored;
        BenchSettings settings;
        LoadSettings(checked, key, {}, settings);
        EXPECT_EQ(settings.HdrLevel, read) << stored;
    }
}

// The repeat boxes: an absent value or one the box would not take reads as the box's default.
TEST(StoredValues, RepeatValuesOutsideTheirBoxesReadAsTheDefaults) {
    const struct {
        const char* limit;
        const char* most;
        const char* limitRead;
        const char* mostRead;
    } cases[] = {
        {nullptr, nullptr, "3", "2"}, {"5", "4", "5", "4"},   {"0", "0", "3", "2"},   {"100", "10", "3", "2"},
        {"07", "02", "3", "2"},       {" 5", "4 ", "3", "2"}, {"99", "9", "99", "9"}, {"x", "", "3", "2"},
    };
    for (const auto& c : cases) {
        MemorySettings key;
        if (c.limit) key.Values["RepeatLimit"] = c.limit;
        if (c.most) key.Values["RepeatMost"] = c.most;
        const CheckedSettingsStore checked(key);
        BenchSettings settings;
        LoadSettings(checked, key, {}, settings);
        EXPECT_EQ(settings.RepeatLimitPercent, c.limitRead) << (c.limit ? c.limit : "absent");
        EXPECT_EQ(settings.RepeatMostLaunches, c.mostRead) << (c.most ? c.most : "absent");
        EXPECT_FALSE(settings.RepeatVaryingSlots);
    }
}

// What a start takes from the key: every stored field as the key would get it back, and the key after it.
struct Start {
    std::map<std::string, std::optional<std::string>> Fields;
    std::map<std::string, std::string> Key;
};

Start StartWith(MemorySettings key) {
    CheckedSettingsStore checked(key);
    BenchSettings settings;
    LoadSettings(checked, checked, kAllModes, settings);
    LoadGameSettings(checked, kFolders, ',', settings);
    Start start;
    for (const SettingRow& row : SettingsTable()) start.Fields[row.Name] = StoredText(row, settings);
    start.Key = key.Values;
    return start;
}

TEST(StoredValues, AValueTheControlWouldNotTakeLoadsAsAtAFirstStartOrItsDefault) {
    const Start first = StartWith({});
    const std::string bad[] = {"1\" \"#demo_num_runs=0\" \"#r_Width=4096", std::string(10000, '9'), "x\r\n", "-1"};
    for (const SettingRow& row : SettingsTable()) {
        for (const std::string& text : bad) {
            if (AcceptsStoredText(row, text)) continue;
            MemorySettings key;
            key.Values[row.Name] = text;
            Start start = StartWith(key);
            // A row with a text of its own for such a value (the HDR level's default) takes that instead.
            auto expected = first.Fields;
            if (row.InvalidText) expected[row.Name] = row.InvalidText;
            EXPECT_EQ(start.Fields, expected) << row.Name << " = " << text.substr(0, 40);
            start.Key.erase(row.Name);
            std::map<std::string, std::string> firstKey = first.Key;
            firstKey.erase(row.Name);
            EXPECT_EQ(start.Key, firstKey) << row.Name << " = " << text.substr(0, 40);
        }
    }
}

TEST(UserDemoFile, RestoredOnlyWhenTheFileIsInTheMapFolder) {
    MemorySettings store;
    store.Values["Demoname"] = "mine.tmd";
    MemoryFileSystem fs;
    BenchSettings settings;
    settings.UserMapFolder = "Harbour";
    RestoreUserDemoFile(store, fs, kFolders, settings);
    EXPECT_EQ(settings.UserDemoFile, "");

    fs.Put("C:\\Games\\Wildmere\\Levels\\Harbour\\mine.tmd", "demo");
    RestoreUserDemoFile(store, fs, kFolders, settings);
    EXPECT_EQ(settings.UserDemoFile, "mine.tmd");
}

TEST(UserDemoFile, UnknownGameFolderLooksNowhere) {
    MemorySettings store;
    store.Values["Demoname"] = "mine.tmd";
    MemoryFileSystem fs;
    fs.Put("Levels\\Harbour\\mine.tmd", "demo");
    BenchSettings settings;
    settings.UserMapFolder = "Harbour";
    RestoreUserDemoFile(store, fs, Folders{"C:\\Bench\\", "", ""}, settings);
    EXPECT_EQ(settings.UserDemoFile, "");
}

TEST(DisplayModes, DriverOrderWithEachSizeOnce) {
    EXPECT_THAT(DisplayModeTexts({{1024, 768}, {640, 480}, {1024, 768}, {640, 480}, {1280, 1024}}),
                ElementsAre("1024 x 768", "640 x 480", "1280 x 1024"));
    EXPECT_TRUE(DisplayModeTexts({}).empty());
}

TEST(SettingsNews, TheNewsWindowGetsOneTurnAfterEachOrderlyExit) {
    const struct {
        const char* stored;
        bool turn;
        const char* after;
    } cases[] = {{"0", true, "1"}, {"1", false, "1"}, {"", false, ""}};
    for (const auto& c : cases) {
        MemorySettings store;
        if (*c.stored) store.Values[kNewsValue] = c.stored;
        EXPECT_EQ(ClaimNewsTurn(store), c.turn) << c.stored;
        EXPECT_EQ(store.Read(kNewsValue), c.after) << c.stored;
        EXPECT_FALSE(ClaimNewsTurn(store)) << "a second activation of the same run";
    }
}

}  // namespace
}  // namespace wmb
