// Settings keys holding values the program never wrote: it starts as it would with those values absent,
// and what it sends to the game carries nothing but its own settings.

#include <map>
#include <optional>

#include "e2e/bench_fixture.h"
#include "platform/win32/registry_key.h"
#include "settings/settings_table.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kKey = "SOFTWARE\\Kestrane\\RERurov";
const std::string kHdrInjection = "1\" \"#demo_num_runs=0\" \"#r_Width=4096";

// A bad value for every value of the key; no text stands for a REG_DWORD.
struct BadValue {
    const char* What;
    std::optional<std::string> Text;
};

const BadValue kBadValues[] = {
    {"REG_DWORD", std::nullopt},
    {"empty", ""},
    {"10,000 characters", std::string(10000, '9')},
    {"not a number", "abc"},
    {"double quotes", kHdrInjection},
};

// The controls that show a stored value, with that value's name.
struct ShownValue {
    int Id;
    const char* Value;
};

std::vector<ShownValue> ShownValues() {
    std::vector<ShownValue> shown = {
        {IDC_WMPATHEDIT, "Path"},     {IDC_RENDERERBOX, "Renderer"}, {IDC_AFBOX, "AFLevel"},
        {IDC_AABOX, "AALevel"},       {IDC_RUNNUMBERBOX, "TRun"},    {IDC_RESEDIT, "ResultPath"},
        {IDC_DECBOX, "Decimal"},      {IDC_NOTEEDIT, "Note"},        {IDC_WAITS, "Wait"},
        {IDC_SCRSAVEFOLD, "ScrPath"}, {IDC_HDRBOX, "HDR"},           {IDC_HDRLEVELBOX, "HDRLevel"},
        {IDC_GIBOX, "GI"},            {IDC_COMPRESSBOX, "NormalMaps"}, {IDC_ADDINFO, "AddScInf"},
        {IDC_LANGBOX, "Language"},    {IDC_DETAILEDIT, "CustomConfig"}, {IDC_CUSWIDTH, "CusW"},
        {IDC_CUSHEIGHT, "CusH"},      {IDC_CUSRESBOX, "CusRes"},     {IDC_MAPNAMEBOX, "Mapname"},
        {IDC_DEMONAMEBOX, "Demoname"}, {IDC_REPEATBOX, "Repeat"}, {IDC_REPEATLIMITEDIT, "RepeatLimit"},
        {IDC_REPEATMOSTEDIT, "RepeatMost"},
    };
    const char* slots[] = {"640", "800", "1024", "1280", "1600", "2048"};
    for (int i = 0; i < 6; ++i) shown.push_back({IDC_RES0 + i, slots[i]});
    for (int i = 0; i < 12; ++i) shown.push_back({IDC_DEMO0 + i, "Demo"});
    for (int i = 0; i < 4; ++i) shown.push_back({IDC_DETAIL0 + i, "Detail"});
    for (int i = 0; i < 3; ++i) shown.push_back({IDC_PSHADER0 + i, "PS"});
    return shown;
}

class BadSettingsE2E : public BenchTest {
protected:
    static void Store(const std::string& name, const BadValue& bad) {
        if (bad.Text) {
            SetSetting(name, *bad.Text);
            return;
        }
        const DWORD one = 1;
        RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS);
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    }

    // Starts the program, reads what its controls show and closes it; the program must neither ask
    // anything nor end in any way but the orderly one.
    std::map<int, std::string> StartAndRead(const std::string& what) {
        StartProgram();
        std::map<int, std::string> shown;
        if (HWND box = WaitForMessageBox(app_->ProcessId(), 0)) {
            ADD_FAILURE() << what << ": the start asked " << MessageBoxText(box);
            return shown;
        }
        for (const ShownValue& s : ShownValues()) {
            const HWND control = Ctl(s.Id);
            const std::string kind = ClassOf(control);
            if (lstrcmpiA(kind.c_str(), "Button") == 0) {
                shown[s.Id] = IsChecked(control) ? "checked" : "clear";
            } else {
                shown[s.Id] = lstrcmpiA(kind.c_str(), "ComboBox") == 0 ? ComboText(control) : GetText(control);
            }
        }
        CloseProgram();
        EXPECT_EQ(app_->ExitCode(), std::optional<DWORD>(0)) << what;
        return shown;
    }
};

TEST_F(BadSettingsE2E, EveryValueHoldingWhatItsControlWouldNotTakeStartsAsAFirstStart) {
    for (const bool withGame : {true, false}) {
        ResetSettingsKey();
        if (withGame) PointAtGame();
        const std::map<int, std::string> first = StartAndRead("first start");
        for (const BadValue& bad : kBadValues) {
            const std::string what = std::string(bad.What) + (withGame ? ", game found" : ", no game");
            ResetSettingsKey();
            if (withGame) PointAtGame();
            for (const SettingRow& row : SettingsTable()) {
                if (!withGame || std::string(row.Name) != "Path") Store(row.Name, bad);
            }
            const std::map<int, std::string> shown = StartAndRead(what);
            if (shown.empty()) continue;
            for (const ShownValue& s : ShownValues()) {
                // A text the control takes is shown as it is (a note may hold anything on one line).
                const SettingRow& row = SettingRowNamed(s.Value);
                if (bad.Text && AcceptsStoredText(row, *bad.Text)) continue;
                // A value with a stated reading of what the control would not take shows that reading.
                const std::string expected = bad.Text && row.InvalidText ? row.InvalidText : first.at(s.Id);
                EXPECT_TRUE(shown.at(s.Id) == expected)
                    << what << ": " << s.Value << " shows \"" << shown.at(s.Id).substr(0, 40) << "\", expected \""
                    << expected << "\"";
            }
        }
    }
}

TEST_F(BadSettingsE2E, AnHdrLevelCarryingMoreSettingsNeverReachesTheGame) {
    PointAtGame();
    SetSetting("HDR", "1");
    SetSetting("HDRLevel", kHdrInjection);
    StartProgram();
    ShowPage(7);
    EXPECT_TRUE(IsChecked(Ctl(IDC_HDRBOX)));
    EXPECT_EQ(GetText(Ctl(IDC_HDRLEVELBOX)), kDefaultHdrLevel);
    ChooseTypicalSettings("1");
    CheckResolution(2);
    RunBenchmark("The benchmarking is successful.", 60000);
    const std::vector<std::string> launches = Launches();
    ASSERT_EQ(launches.size(), 1u);
    const std::string& line = launches[0];
    EXPECT_NE(line.find("\"#demo_num_runs=0\" \"#demo_quit=1\" \"#r_Width=1024\""), std::string::npos) << line;
    EXPECT_NE(line.find("\"#r_HDRRendering=1\" \"#r_TexNormalMapCompressed=0\""), std::string::npos) << line;
    for (const char* setting : {"#demo_num_runs=", "#r_Width="}) {
        EXPECT_EQ(line.find(setting), line.rfind(setting)) << setting << " given twice: " << line;
    }
    EXPECT_EQ(line.find("4096"), std::string::npos) << line;
    CloseProgram();
}

}  // namespace
}  // namespace wmb::e2e
