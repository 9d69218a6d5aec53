#include "run/profile.h"

#include <gtest/gtest.h>

#include <functional>

#include "run/run_controller.h"

namespace wmb {
namespace {

using S = BenchSettings;

// What a key carries, shown as text, and a value for it that differs from a fresh record's.
struct KeyCase {
    const char* key;
    std::function<void(S&)> set;
    std::function<std::string(const S&)> view;
};

std::string Flag(bool on) { return on ? "1" : "0"; }

const std::vector<KeyCase>& KeyCases() {
    static const std::vector<KeyCase> cases = {
        {"Resolutions", [](S& s) { s.ResolutionChecked = {false, true, false, true, false, true}; },
         [](const S& s) {
             std::string v;
             for (bool c : s.ResolutionChecked) v += Flag(c);
             return v;
         }},
        {"CustomResolution",
         [](S& s) {
             s.CustomResolution = true;
             s.CustomWidth = "1366";
             s.CustomHeight = "768";
         },
         // Off, the sizes mean nothing and a profile leaves them as they are.
         [](const S& s) { return s.CustomResolution ? s.CustomWidth + "x" + s.CustomHeight : "off"; }},
        {"Quality", [](S& s) { s.DetailLevel = 3; }, [](const S& s) { return std::to_string(s.DetailLevel); }},
        {"CustomConfig", [](S& s) { s.CustomConfigPath = "C:\\Games\\my system.cfg"; },
         [](const S& s) { return s.CustomConfigPath; }},
        {"Demo", [](S& s) { s.DemoIndex = 1; }, [](const S& s) { return std::to_string(s.DemoIndex); }},
        {"UserMap", [](S& s) { s.UserMapFolder = "Pier"; }, [](const S& s) { return s.UserMapFolder; }},
        {"UserDemo", [](S& s) { s.UserDemoFile = "my run.tmd"; }, [](const S& s) { return s.UserDemoFile; }},
        {"ShaderModel", [](S& s) { s.ShaderModel = 1; }, [](const S& s) { return std::to_string(s.ShaderModel); }},
        {"Renderer", [](S& s) { s.RendererIndex = 1; }, [](const S& s) { return std::to_string(s.RendererIndex); }},
        {"Anisotropy", [](S& s) { s.AnisotropyIndex = 5; },
         [](const S& s) { return std::to_string(s.AnisotropyIndex); }},
        {"Antialiasing", [](S& s) { s.AntialiasIndex = 2; },
         [](const S& s) { return std::to_string(s.AntialiasIndex); }},
        {"Runs", [](S& s) { s.RunCount = "15"; }, [](const S& s) { return s.RunCount; }},
        {"Wait", [](S& s) { s.WaitSeconds = "10"; }, [](const S& s) { return s.WaitSeconds; }},
        {"Note", [](S& s) { s.Note = "Driver 8.2; \xD7 fan at 40%"; }, [](const S& s) { return s.Note; }},
        {"HDR", [](S& s) { s.HdrEnabled = true; }, [](const S& s) { return Flag(s.HdrEnabled); }},
        {"HDRLevel", [](S& s) { s.HdrLevel = "11"; }, [](const S& s) { return s.HdrLevel; }},
        {"GeometryInstancing", [](S& s) { s.GeometryInstancing = true; },
         [](const S& s) { return Flag(s.GeometryInstancing); }},
        {"NormalMapCompression", [](S& s) { s.NormalMapCompression = true; },
         [](const S& s) { return Flag(s.NormalMapCompression); }},
        {"Language", [](S& s) { s.LanguageIndex = 8; }, [](const S& s) { return std::to_string(s.LanguageIndex); }},
        {"DecimalSeparator", [](S& s) { s.ReportDecimalSeparator = ","; },
         [](const S& s) { return s.ReportDecimalSeparator; }},
        {"ResultsFolder", [](S& s) { s.ResultsFolder = "\\\\lab\\share\\Bench results\\"; },
         [](const S& s) { return s.ResultsFolder; }},
        {"ScreenshotFolder", [](S& s) { s.ScreenshotFolder = "D:\\Shots\\"; },
         [](const S& s) { return s.ScreenshotFolder; }},
        {"ScreenshotMode", [](S& s) { s.ScreenshotMode = true; }, [](const S& s) { return Flag(s.ScreenshotMode); }},
        {"AddDisplayInfo", [](S& s) { s.AddDisplayInfo = false; }, [](const S& s) { return Flag(s.AddDisplayInfo); }},
        {"ScreenshotFrame", [](S& s) { s.ScreenshotFrame = "4052"; }, [](const S& s) { return s.ScreenshotFrame; }},
        {"RunTwice", [](S& s) { s.RunTwice = true; }, [](const S& s) { return Flag(s.RunTwice); }},
        {"RepeatVarying", [](S& s) { s.RepeatVaryingSlots = true; }, [](const S& s) { return Flag(s.RepeatVaryingSlots); }},
        {"RepeatLimit", [](S& s) { s.RepeatLimitPercent = "12"; }, [](const S& s) { return s.RepeatLimitPercent; }},
        {"RepeatMost", [](S& s) { s.RepeatMostLaunches = "5"; }, [](const S& s) { return s.RepeatMostLaunches; }},
    };
    return cases;
}

ProfileChanges Read(const std::string& text) {
    auto read = ReadProfile(text);
    if (auto* error = std::get_if<ProfileError>(&read)) {
        ADD_FAILURE() << error->Message << "\n" << text;
        return {};
    }
    return std::get<ProfileChanges>(read);
}

// The line a written profile gives a key.
std::string LineOf(const std::string& profile, const std::string& key) {
    const std::size_t start = profile.find("\r\n" + key + "=") + 2;
    return profile.substr(start, profile.find("\r\n", start) - start);
}

TEST(Profile, TheTestsCoverEveryKeyInTheTablesOrder) {
    const auto keys = ProfileKeys();
    ASSERT_EQ(keys.size(), KeyCases().size());
    for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_STREQ(keys[i].Name, KeyCases()[i].key);
}

TEST(Profile, EachKeyComesBackFromAWrittenProfile) {
    for (const KeyCase& c : KeyCases()) {
        S changed;
        c.set(changed);
        ASSERT_NE(c.view(changed), c.view(S{})) << c.key << ": the case must change the field";
        S loaded;
        ApplyProfile(Read(WriteProfile(changed)), loaded);
        EXPECT_EQ(c.view(loaded), c.view(changed)) << c.key;
    }
}

TEST(Profile, EveryKeyAtOnceComesBack) {
    S changed;
    for (const KeyCase& c : KeyCases()) c.set(changed);
    S loaded;
    const ProfileChanges changes = Read(WriteProfile(changed));
    EXPECT_EQ(changes.Keys.size(), KeyCases().size());
    ApplyProfile(changes, loaded);
    for (const KeyCase& c : KeyCases()) EXPECT_EQ(c.view(loaded), c.view(changed)) << c.key;
}

TEST(Profile, APartialProfileChangesOnlyItsKey) {
    S base;
    for (const KeyCase& c : KeyCases()) c.set(base);
    const std::string fresh = WriteProfile(S{});
    S freshLoaded;
    ApplyProfile(Read(fresh), freshLoaded);
    for (const KeyCase& c : KeyCases()) {
        ASSERT_NE(c.view(freshLoaded), c.view(base)) << c.key << ": the line must change the field";
        S loaded = base;
        const ProfileChanges changes = Read("[WildmereBench profile]\r\n" + LineOf(fresh, c.key) + "\r\n");
        EXPECT_EQ(changes.Keys, std::vector<std::string>{c.key});
        ApplyProfile(changes, loaded);
        for (const KeyCase& other : KeyCases()) {
            const S& expected = other.key == c.key ? freshLoaded : base;
            EXPECT_EQ(other.view(loaded), other.view(expected)) << c.key << " applied, " << other.key << " seen";
        }
    }
}

TEST(Profile, SwitchingTheCustomResolutionOffKeepsItsSizeForTheWindow) {
    S s;
    s.CustomResolution = true;
    s.CustomWidth = "1366";
    s.CustomHeight = "768";
    ApplyProfile(Read("[WildmereBench profile]\nCustomResolution=\n"), s);
    EXPECT_FALSE(s.CustomResolution);
    EXPECT_EQ(s.CustomWidth + "x" + s.CustomHeight, "1366x768");
}

TEST(Profile, AProfileWithOnlyItsSectionChangesNothing) {
    const ProfileChanges changes = Read("; nothing yet\n[WildmereBench profile]\n# still nothing\n\n");
    EXPECT_TRUE(changes.Keys.empty());
}

TEST(Profile, AWrittenProfileListsEveryKeyInItsFixedOrder) {
    S s;
    s.ResolutionChecked = {false, true, false, true, false, false};
    s.DetailLevel = 1;
    s.DemoIndex = 0;
    s.ShaderModel = 0;
    s.RendererIndex = 0;
    s.AnisotropyIndex = 5;
    s.AntialiasIndex = 0;
    s.RunCount = "3";
    s.WaitSeconds = "2";
    s.Note = "Lab 4";
    s.HdrLevel = "3";
    s.LanguageIndex = 1;
    s.ReportDecimalSeparator = ".";
    s.ResultsFolder = "C:\\Games\\Wildmere\\Benchmark\\";
    EXPECT_EQ(WriteProfile(s),
              "[WildmereBench profile]\r\n"
              "Resolutions=800x600, 1280x1024\r\nCustomResolution=\r\nQuality=Maximum\r\nCustomConfig=\r\n"
              "Demo=Pixelgrund Demo\r\nUserMap=\r\nUserDemo=\r\nShaderModel=Default\r\nRenderer=Direct3D\r\n"
              "Anisotropy=From System\r\nAntialiasing=None\r\nRuns=3\r\nWait=2\r\nNote=Lab 4\r\nHDR=off\r\n"
              "HDRLevel=3\r\nGeometryInstancing=off\r\nNormalMapCompression=off\r\nLanguage=English\r\n"
              "DecimalSeparator=.\r\nResultsFolder=C:\\Games\\Wildmere\\Benchmark\\\r\nScreenshotFolder=\r\n"
              "ScreenshotMode=off\r\nAddDisplayInfo=on\r\nScreenshotFrame=\r\nRunTwice=off\r\nRepeatVarying=off\r\n"
              "RepeatLimit=3\r\nRepeatMost=2\r\n");
}

TEST(Profile, AValueTheProfileCannotHoldIsWrittenAsWhatTheSequenceUses) {
    const struct {
        const char* key;
        std::function<void(S&)> set;
        const char* written;
    } cases[] = {
        {"Wait", [](S& s) { s.WaitSeconds = "0"; }, "3"},
        {"Wait", [](S& s) { s.WaitSeconds = "99"; }, "3"},
        {"Wait", [](S& s) { s.WaitSeconds = "07"; }, "7"},
        {"HDRLevel", [](S& s) { s.HdrLevel = ""; }, "1"},
        {"HDRLevel", [](S& s) { s.HdrLevel = "12"; }, "1"},
        {"DecimalSeparator", [](S& s) { s.ReportDecimalSeparator = ""; }, "."},
        {"Runs", [](S& s) { s.RunCount = "7"; }, ""},
        {"Language", [](S& s) { s.LanguageIndex = 0; }, ""},
        {"Demo", [](S& s) { s.DemoIndex = 12; }, ""},
        {"CustomResolution", [](S& s) { s.CustomResolution = true; }, ""},
        {"CustomResolution",
         [](S& s) {
             s.CustomResolution = true;
             s.CustomWidth = "0";
             s.CustomHeight = "600";
         },
         ""},
        {"ResultsFolder", [](S& s) { s.ResultsFolder = "Benchmark\\"; }, ""},
        {"UserMap", [](S& s) { s.UserMapFolder = ".."; }, ""},
        {"Note", [](S& s) { s.Note = "two\tcolumns"; }, ""},
        {"ScreenshotFrame", [](S& s) { s.ScreenshotFrame = "0"; }, ""},
    };
    for (const auto& c : cases) {
        S s;
        c.set(s);
        const std::string profile = WriteProfile(s);
        EXPECT_EQ(LineOf(profile, c.key), std::string(c.key) + "=" + c.written);
        EXPECT_TRUE(std::holds_alternative<ProfileChanges>(ReadProfile(profile))) << c.key << "=" << c.written;
    }
    S zero;
    zero.WaitSeconds = "0";
    S loaded;
    ApplyProfile(Read(WriteProfile(zero)), loaded);
    EXPECT_EQ(WaitMillisecondsFrom(loaded.WaitSeconds), WaitMillisecondsFrom(zero.WaitSeconds));
}

TEST(Profile, ValuesAreReadInTheirFriendlierSpellings) {
    const struct {
        const char* line;
        const char* key;
        const char* seen;  // the view of KeyCases()
    } cases[] = {
        {"  renderer =  opengl  ", "Renderer", "1"},
        {"RENDERER=Direct3D", "Renderer", "0"},
        {"Resolutions=800X600,1280 \xD7 1024 , 640x480", "Resolutions", "110100"},
        {"Resolutions=", "Resolutions", "000000"},
        {"Resolutions=0800x0600", "Resolutions", "010000"},
        {"CustomResolution=1920 X 1080", "CustomResolution", "1920x1080"},
        {"CustomResolution=", "CustomResolution", "off"},
        {"Quality=custom", "Quality", "3"},
        {"Demo=user", "Demo", "11"},
        {"Demo=Kestrane- Steam", "Demo", "1"},
        {"Demo=", "Demo", "-1"},
        {"ShaderModel=3.0", "ShaderModel", "2"},
        {"Anisotropy=from system", "Anisotropy", "5"},
        {"Antialiasing=NONE", "Antialiasing", "0"},
        {"Runs=100", "Runs", "100"},
        {"Runs=", "Runs", ""},
        {"Wait=05", "Wait", "5"},
        {"HDR=ON", "HDR", "1"},
        {"Language=polish", "Language", "7"},
        {"Language=", "Language", "0"},
        {"DecimalSeparator=,", "DecimalSeparator", ","},
        {"ResultsFolder=C:\\Results", "ResultsFolder", "C:\\Results\\"},
        {"ResultsFolder=C:\\", "ResultsFolder", "C:\\"},
        {"ScreenshotFolder=\\\\srv\\shots", "ScreenshotFolder", "\\\\srv\\shots\\"},
        {"ResultsFolder=", "ResultsFolder", ""},
        {"CustomConfig=C:\\Games\\a.b\\system.cfg", "CustomConfig", "C:\\Games\\a.b\\system.cfg"},
        {"Note=a=b; c # d", "Note", "a=b; c # d"},
        {"Note=", "Note", ""},
        {"ScreenshotFrame=", "ScreenshotFrame", ""},
        {"ScreenshotFrame=999999999", "ScreenshotFrame", "999999999"},
    };
    for (const auto& c : cases) {
        const ProfileChanges changes = Read(std::string("[WildmereBench profile]\n") + c.line);
        ASSERT_EQ(changes.Keys, std::vector<std::string>{c.key}) << c.line;
        S loaded;
        ApplyProfile(changes, loaded);
        for (const KeyCase& k : KeyCases()) {
            if (k.key == std::string(c.key)) {
                EXPECT_EQ(k.view(loaded), c.seen) << c.line;
            }
        }
    }
}

TEST(Profile, LineEndsMayBeCrLfLfOrCr) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("[WildmereBench profile]") + end + "; c" + end + "HDR=on" + end + "Wait=4";
        const ProfileChanges changes = Read(text);
        EXPECT_EQ(changes.Keys, (std::vector<std::string>{"HDR", "Wait"})) << static_cast<int>(end[0]);
    }
}

TEST(Profile, AFaultyProfileIsRefusedWithItsLineAndKey) {
    const struct {
        const char* text;
        int line;
        const char* key;
        const char* message;
    } cases[] = {
        {"", 1, "", "line 1: the file must begin with the line [WildmereBench profile]."},
        {"; only\n\n# comments\n", 1, "", "line 1: the file must begin with the line [WildmereBench profile]."},
        {"; c\nHDR=on\n[WildmereBench profile]\n", 2, "",
         "line 2: the file must begin with the line [WildmereBench profile]."},
        {"\xEF\xBB\xBF[WildmereBench profile]\n", 1, "", "line 1: the file is saved as Unicode; save it as ANSI text."},
        {"[WildmereBench sweep]\n", 1, "",
         "line 1: \"[WildmereBench sweep]\" is not the section [WildmereBench profile]."},
        {"[wildmerebench PROFILE]\n[WildmereBench profile]\n", 2, "",
         "line 2: [WildmereBench profile] is given twice."},
        {"[WildmereBench profile]\nHDR on\n", 2, "", "line 2: \"HDR on\" is neither a comment nor a key=value line."},
        {"[WildmereBench profile]\n=on\n", 2, "", "line 2: \"=on\" is neither a comment nor a key=value line."},
        {"[WildmereBench profile]\nColour=red\n", 2, "Colour", "line 2: \"Colour\" is not a profile key."},
        {"[WildmereBench profile]\nHDR=on\n\nhdr=off\n", 4, "HDR", "line 4: HDR is given twice (first on line 2)."},
        {"[WildmereBench profile]\nA=1\nB=2\nC=3\nD=4\nE=5\nRenderer=Vulkan\n", 2, "A",
         "line 2: \"A\" is not a profile key."},
        {"[WildmereBench profile]\n\n\n\n\n\nRenderer=Vulkan\n", 7, "Renderer",
         "line 7: Renderer must be Direct3D or OpenGL, not \"Vulkan\"."},
        {"[WildmereBench profile]\nRenderer=D3D\n", 2, "Renderer",
         "line 2: Renderer must be Direct3D or OpenGL, not \"D3D\"."},
        {"[WildmereBench profile]\nHDR=yes\n", 2, "HDR", "line 2: HDR must be on or off, not \"yes\"."},
        {"[WildmereBench profile]\nQuality=Maximum details\n", 2, "Quality",
         "line 2: Quality must be Ultra, Maximum, Minimum or Custom, not \"Maximum details\"."},
        {"[WildmereBench profile]\nRuns=7\n", 2, "Runs",
         "line 2: Runs must be 1, 2, 3, 4, 5, 15, 25, 50 or 100, not \"7\"."},
        {"[WildmereBench profile]\nWait=0\n", 2, "Wait",
         "line 2: Wait must be a whole number from 1 to 10, not \"0\"."},
        {"[WildmereBench profile]\nWait=11\n", 2, "Wait",
         "line 2: Wait must be a whole number from 1 to 10, not \"11\"."},
        {"[WildmereBench profile]\nWait=\n", 2, "Wait", "line 2: Wait must be a whole number from 1 to 10, not \"\"."},
        {"[WildmereBench profile]\nHDRLevel=-1\n", 2, "HDRLevel",
         "line 2: HDRLevel must be a whole number from 1 to 11, not \"-1\"."},
        {"[WildmereBench profile]\nScreenshotFrame=1000000000\n", 2, "ScreenshotFrame",
         "line 2: ScreenshotFrame must be a whole number from 1 to 999999999, not \"1000000000\"."},
        {"[WildmereBench profile]\nDecimalSeparator=\n", 2, "DecimalSeparator",
         "line 2: DecimalSeparator must be \".\" or \",\", not \"\"."},
        {"[WildmereBench profile]\nResolutions=800x600, 1366x768\n", 2, "Resolutions",
         "line 2: Resolutions must list sizes from 640x480, 800x600, 1024x768, 1280x1024, 1600x1200 or 2048x1536, "
         "separated by commas, not \"800x600, 1366x768\"."},
        {"[WildmereBench profile]\nResolutions=800x600,\n", 2, "Resolutions",
         "line 2: Resolutions must list sizes from 640x480, 800x600, 1024x768, 1280x1024, 1600x1200 or 2048x1536, "
         "separated by commas, not \"800x600,\"."},
        {"[WildmereBench profile]\nCustomResolution=1280x\n", 2, "CustomResolution",
         "line 2: CustomResolution must be empty or a size such as 1280x1024, not \"1280x\"."},
        {"[WildmereBench profile]\nCustomResolution=100000x600\n", 2, "CustomResolution",
         "line 2: CustomResolution must be empty or a size such as 1280x1024, not \"100000x600\"."},
        {"[WildmereBench profile]\nResultsFolder=Results\n", 2, "ResultsFolder",
         "line 2: ResultsFolder is not a full path such as C:\\Folder or \\\\server\\share\\Folder: \"Results\"."},
        {"[WildmereBench profile]\nResultsFolder=C:\\Games\\..\\Windows\n", 2, "ResultsFolder",
         "line 2: ResultsFolder holds a \"..\" part: \"C:\\Games\\..\\Windows\"."},
        {"[WildmereBench profile]\nScreenshotFolder=C:\\Shots?\n", 2, "ScreenshotFolder",
         "line 2: ScreenshotFolder holds \"?\", which Windows does not allow in a name: \"C:\\Shots?\"."},
        {"[WildmereBench profile]\nCustomConfig=C:\\Games\\\n", 2, "CustomConfig",
         "line 2: CustomConfig names a folder, not a file: \"C:\\Games\\\"."},
        {"[WildmereBench profile]\nUserMap=Levels\\Pier\n", 2, "UserMap",
         "line 2: UserMap holds \"\\\", which is not allowed in a name: \"Levels\\Pier\"."},
        {"[WildmereBench profile]\nUserDemo=..\n", 2, "UserDemo", "line 2: UserDemo must be a name, not \"..\"."},
        {"[WildmereBench profile]\nNote=a\x01z\n", 2, "Note", "line 2: Note holds a control character."},
    };
    for (const auto& c : cases) {
        const auto read = ReadProfile(c.text);
        ASSERT_TRUE(std::holds_alternative<ProfileError>(read)) << c.text;
        const ProfileError& error = std::get<ProfileError>(read);
        EXPECT_EQ(error.Line, c.line) << c.text;
        EXPECT_EQ(error.Key, c.key) << c.text;
        EXPECT_EQ(error.Message, c.message) << c.text;
    }
}

TEST(Profile, ALongPathIsRefusedAtTheWindowsLimit) {
    const std::string longest = "C:\\" + std::string(255, 'a') + "\\";
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(
        std::holds_alternative<ProfileChanges>(ReadProfile("[WildmereBench profile]\nResultsFolder=" + longest)));
    const auto read = ReadProfile("[WildmereBench profile]\nResultsFolder=" + longest + "b");
    ASSERT_TRUE(std::holds_alternative<ProfileError>(read));
    EXPECT_TRUE(
        std::get<ProfileError>(read).Message.starts_with("line 2: ResultsFolder is longer than 259 characters"));
}

}  // namespace
}  // namespace wmb
