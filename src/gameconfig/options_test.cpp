#include "gameconfig/options.h"

#include <gtest/gtest.h>

namespace wmb {

namespace {

// Positions of the option lines in every compiled template.
constexpr std::size_t kVegetationLine = 36;
constexpr std::size_t kLanguageLine = 40;
constexpr std::size_t kDriverLine = 70;
constexpr std::size_t kAnisotropyLine = 103;

BenchSettings Choices(int anisotropy, int antialias, int renderer, int language) {
    BenchSettings s;
    s.AnisotropyIndex = anisotropy;
    s.AntialiasIndex = antialias;
    s.RendererIndex = renderer;
    s.LanguageIndex = language;
    return s;
}

}  // namespace

TEST(SubstituteLine, ReplacesThePositionMarkedByTheLastKnownLineFound) {
    ConfigText text{"r_FSAA = \"0\"", "x = \"1\"", "R_FSAA = \"1\"", "r_fsaa = \"0\""};
    // "0" marks position 0, then "1" marks position 2, which wins although it lies before position 3.
    EXPECT_TRUE(SubstituteLine(text, {"r_FSAA = \"0\"", "r_FSAA = \"1\""}, "r_FSAA = \"1\""));
    EXPECT_EQ(text, (ConfigText{"r_FSAA = \"0\"", "x = \"1\"", "r_FSAA = \"1\"", "r_fsaa = \"0\""}));

    ConfigText unknown{"r_FSAA = \"3\""};
    EXPECT_FALSE(SubstituteLine(unknown, {"r_FSAA = \"0\"", "r_FSAA = \"1\""}, "r_FSAA = \"1\""));
    EXPECT_EQ(unknown, (ConfigText{"r_FSAA = \"3\""}));
}

TEST(ApplyOptions, FromSystemAndNoSelectionKeepTheLines) {
    ConfigText text = CompiledTemplate(Preset::Ultra);
    ApplyOptions(text, Choices(4, 4, 0, 8));  // "16", "8", Direct3D, Russian
    const ConfigText previous = text;

    ApplyOptions(text, Choices(5, 5, 0, 0));  // "From System", "From System", Direct3D, "Select language"
    EXPECT_EQ(text, previous);
    ApplyOptions(text, Choices(-1, -1, 0, -1));
    EXPECT_EQ(text, previous);
    EXPECT_EQ(text[kAnisotropyLine], "r_Texture_Anisotropic_Level = \"16\"");
    EXPECT_EQ(text[kLanguageLine], "g_language = \"russian\"");
}

TEST(ApplyOptions, RendererOtherThanDirect3DMeansOpenGL) {
    ConfigText text = CompiledTemplate(Preset::Ultra);
    EXPECT_EQ(ApplyOptions(text, Choices(5, 5, -1, 1)), "OpenGL");
    EXPECT_EQ(text[kDriverLine], "r_Driver = \"OpenGL\"");
    EXPECT_EQ(ApplyOptions(text, Choices(5, 5, 0, 1)), "Direct3D");
    EXPECT_EQ(text[kDriverLine], "r_Driver = \"Direct3D9\"");
}

TEST(ApplyOptions, LanguageLineMatchesWithoutCase) {
    ConfigText text{"g_language = \"ENGLISH\"", "r_Driver = \"opengl\""};
    ApplyOptions(text, Choices(5, 5, 0, 6));
    EXPECT_EQ(text, (ConfigText{"g_language = \"japanese\"", "r_Driver = \"Direct3D9\""}));
}

TEST(ApplyVegetationRatio, ReplacesTheLineWhateverItsValue) {
    ConfigText ultra = CompiledTemplate(Preset::Ultra);
    ApplyVegetationRatio(ultra, false);
    EXPECT_EQ(ultra[kVegetationLine], "e_vegetation_sprites_distance_ratio = \"1.0\"");
    EXPECT_EQ(ultra[kLanguageLine], "g_language = \"english\"");

    ConfigText minimum = CompiledTemplate(Preset::Minimum);
    ApplyVegetationRatio(minimum, true);
    EXPECT_EQ(minimum[kVegetationLine], "e_vegetation_sprites_distance_ratio = \"100.0\"");
    ApplyVegetationRatio(minimum, false);
    EXPECT_EQ(minimum[kVegetationLine], "e_vegetation_sprites_distance_ratio = \"1.0\"");
    EXPECT_EQ(minimum.size(), CompiledTemplate(Preset::Minimum).size());

    ConfigText other{"e_vegetation_sprites_distance_ratio_x = \"2\"", "E_Vegetation_Sprites_Distance_Ratio = \"7\""};
    ApplyVegetationRatio(other, true);
    EXPECT_EQ(other[0], "e_vegetation_sprites_distance_ratio_x = \"2\"");
    EXPECT_EQ(other[1], "e_vegetation_sprites_distance_ratio = \"100.0\"");
}

TEST(OverrideLines, DependOnPresetInstancingAndScreenshotInfo) {
    BenchSettings s;
    s.GeometryInstancing = true;
    EXPECT_EQ(OverrideLines(Preset::Maximum, s), (ConfigText{"r_geominstancing = \"1\""}));
    EXPECT_EQ(OverrideLines(Preset::Ultra, s),
              (ConfigText{"r_geominstancing = \"1\"", "r_water_ocean_sun_reflection = \"1\"",
                          "e_water_ocean_tesselation = \"2\""}));
    EXPECT_EQ(OverrideLines(Preset::Custom, s),
              (ConfigText{"r_geominstancing = \"1\"", "e_vegetation_sprites_distance_ratio = \"100.0\""}));

    s.GeometryInstancing = false;
    s.ScreenshotMode = true;
    s.AddDisplayInfo = true;
    EXPECT_EQ(OverrideLines(Preset::Minimum, s), (ConfigText{"r_geominstancing = \"0\""}));
    s.AddDisplayInfo = false;
    EXPECT_EQ(OverrideLines(Preset::Minimum, s), (ConfigText{"r_geominstancing = \"0\"", "demo_noinfo = \"1\""}));
    EXPECT_EQ(OverrideLines(Preset::Custom, s),
              (ConfigText{"r_geominstancing = \"0\"", "e_vegetation_sprites_distance_ratio = \"1.0\"",
                          "demo_noinfo = \"1\""}));
    s.ScreenshotMode = false;
    EXPECT_EQ(OverrideLines(Preset::Minimum, s).size(), 1u);
}

TEST(ShaderPathArgument, OnlyDirect3DWithAHigherShaderModel) {
    BenchSettings s;
    s.RendererIndex = 0;
    s.ShaderModel = 0;
    EXPECT_EQ(ShaderPathArgument(s), "");
    s.ShaderModel = 1;
    EXPECT_EQ(ShaderPathArgument(s), "\"r_SM2XPATH 1\"");
    s.ShaderModel = 2;
    EXPECT_EQ(ShaderPathArgument(s), "\"r_SM30PATH 1\"");
    s.RendererIndex = 1;
    EXPECT_EQ(ShaderPathArgument(s), "");
    s.RendererIndex = -1;
    EXPECT_EQ(ShaderPathArgument(s), "");
}

TEST(ShaderCompilerNeedsCopy, AnyVersionButTheShippedOne) {
    EXPECT_FALSE(ShaderCompilerNeedsCopy("9.7.239.0"));
    EXPECT_FALSE(ShaderCompilerNeedsCopy(""));
    EXPECT_TRUE(ShaderCompilerNeedsCopy("9.5.132.0"));
    EXPECT_TRUE(ShaderCompilerNeedsCopy("Value Not Available"));
}

}  // namespace wmb
