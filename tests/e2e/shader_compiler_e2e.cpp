// The shader compiler that the program ships goes into the game when the game's own copy is missing or
// carries no version, read through the program's real version reader.

#include <ostream>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

// What the game's Bin32 folder holds as fxc.exe before the benchmark.
enum class GameCompiler { Missing, Unversioned };

void PrintTo(GameCompiler compiler, std::ostream* out) {
    *out << (compiler == GameCompiler::Missing ? "missing" : "unversioned");
}

class ShaderCompilerE2E : public BenchTest, public ::testing::WithParamInterface<GameCompiler> {};

TEST_P(ShaderCompilerE2E, ShaderModel2bPutsTheShippedCompilerIntoTheGame) {
    const std::string gameCompiler = bin32_ + "fxc.exe";
    if (GetParam() == GameCompiler::Unversioned) {
        // A program without a version resource: the game's own executable will do.
        ASSERT_TRUE(CopyFileA((bin32_ + "Wildmere.exe").c_str(), gameCompiler.c_str(), FALSE));
    } else {
        ASSERT_FALSE(Exists(gameCompiler));
    }
    PointAtGame();
    StartProgram();
    ChooseTypicalSettings("1");
    ShowPage(4);
    SelectComboItem(Ctl(IDC_RENDERERBOX), "Direct3D");
    ShowPage(3);
    Click(Ctl(IDC_PSHADER0 + 1));
    ASSERT_TRUE(IsChecked(Ctl(IDC_PSHADER0 + 1)));
    CheckResolution(0);
    RunBenchmark("The benchmarking is successful.");
    const std::string shipped = ReadAll(program_ + "DirectX9c\\fxc.exe");
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(ReadAll(gameCompiler) == shipped) << "Bin32\\fxc.exe is not the shipped compiler";
    CloseProgram();
}

INSTANTIATE_TEST_SUITE_P(GameCopy, ShaderCompilerE2E, ::testing::Values(GameCompiler::Missing, GameCompiler::Unversioned),
                         [](const ::testing::TestParamInfo<GameCompiler>& info) {
                             return std::string(info.param == GameCompiler::Missing ? "Missing" : "Unversioned");
                         });

}  // namespace
}  // namespace wmb::e2e
