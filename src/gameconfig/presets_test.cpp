#include "gameconfig/presets.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace wmb {

namespace {

// Position of a variable's line: the comment and the empty line come first.
constexpr std::size_t Line(std::size_t variableIndex) { return variableIndex + 2; }

}  // namespace

TEST(PresetTemplates, HaveTheirLengthAndTrailingBlankLines) {
    const ConfigText ultra = CompiledTemplate(Preset::Ultra);
    const ConfigText maximum = CompiledTemplate(Preset::Maximum);
    const ConfigText minimum = CompiledTemplate(Preset::Minimum);
    ASSERT_EQ(ultra.size(), 149u);
    ASSERT_EQ(maximum.size(), 151u);
    ASSERT_EQ(minimum.size(), 150u);

    EXPECT_EQ(ultra.back(), "ui_TriggerWidgetEvents = \"1\"");
    EXPECT_EQ(maximum[148], "ui_TriggerWidgetEvents = \"1\"");
    EXPECT_EQ(maximum[149], " ");
    EXPECT_EQ(maximum[150], " ");
    EXPECT_EQ(minimum[148], "ui_TriggerWidgetEvents = \"1\"");
    EXPECT_EQ(minimum[149], " ");

    for (const auto& text : {ultra, maximum, minimum}) {
        EXPECT_EQ(text[0], "-- This file has been written by WildmereConfigurator.exe");
        EXPECT_EQ(text[1], "");
        EXPECT_EQ(text[Line(0)], "ExitOnQuit = \"1\"");
        for (std::size_t i = Line(0); i <= Line(146); ++i) {
            EXPECT_NE(text[i].find(" = \""), std::string::npos) << text[i];
            EXPECT_EQ(text[i].back(), '"') << text[i];
        }
    }
}

TEST(PresetTemplates, HoldTheValuesOfEachPresetAtTheirPlaces) {
    const ConfigText ultra = CompiledTemplate(Preset::Ultra);
    const ConfigText maximum = CompiledTemplate(Preset::Maximum);
    const ConfigText minimum = CompiledTemplate(Preset::Minimum);

    EXPECT_EQ(ultra[Line(1)], "GL_TextureFilter = \"GL_LINEAR_MIPMAP_LINEAR\"");
    EXPECT_EQ(minimum[Line(1)], "GL_TextureFilter = \"GL_LINEAR_MIPMAP_NEAREST\"");
    EXPECT_EQ(ultra[Line(3)], "ca_ambient_light_intensity = \"0.200000\"");
    EXPECT_EQ(maximum[Line(3)], "ca_ambient_light_intensity = \"0.2\"");
    EXPECT_EQ(maximum[Line(6)], "cl_lazy_weapon = \"0.0000\"");
    EXPECT_EQ(ultra[Line(21)], "e_max_entity_lights = \"100\"");
    EXPECT_EQ(maximum[Line(21)], "e_max_entity_lights = \"4\"");
    EXPECT_EQ(ultra[Line(34)], "e_vegetation_sprites_distance_ratio = \"100.000000\"");
    EXPECT_EQ(maximum[Line(34)], "e_vegetation_sprites_distance_ratio = \"1.0\"");
    EXPECT_EQ(minimum[Line(34)], "e_vegetation_sprites_distance_ratio = \"0.9\"");
    EXPECT_EQ(minimum[Line(38)], "g_language = \"english\"");
    EXPECT_EQ(ultra[Line(40)], "g_serverprofile = \"\"");
    EXPECT_EQ(maximum[Line(41)], "game_GliderBackImpulse = \"2.5f\"");
    EXPECT_EQ(minimum[Line(43)], "game_GliderGravity = \"-0.1f\"");
    EXPECT_EQ(ultra[Line(50)], "mp_model = \"objects/characters/pmodels/hero/hero_mp.cgf\"");
    EXPECT_EQ(maximum[Line(68)], "r_Driver = \"Direct3D9\"");
    EXPECT_EQ(minimum[Line(78)], "r_FSAA = \"0\"");
    EXPECT_EQ(minimum[Line(79)], "r_FSAA_samples = \"1\"");
    EXPECT_EQ(ultra[Line(86)], "r_Height = \"1024\"");
    EXPECT_EQ(maximum[Line(86)], "r_Height = \"768\"");
    EXPECT_EQ(ultra[Line(101)], "r_Texture_Anisotropic_Level = \"1\"");
    EXPECT_EQ(ultra[Line(109)], "r_Width = \"1280\"");
    EXPECT_EQ(minimum[Line(109)], "r_Width = \"1024\"");
    EXPECT_EQ(ultra[Line(123)], "s_MusicMaxPatterns = \"0\"");
    EXPECT_EQ(maximum[Line(123)], "s_MusicMaxPatterns = \"12\"");
    EXPECT_EQ(maximum[Line(128)], "s_SoundEnable = \"1\"");
    EXPECT_EQ(minimum[Line(131)], "sv_mapcyclefile = \"profiles/server/mapcycle.txt\"");
    EXPECT_EQ(minimum[Line(136)], "sys_skiponlowspec = \"1\"");
    EXPECT_EQ(ultra[Line(137)], "sys_spec = \"3\"");
    EXPECT_EQ(maximum[Line(146)], "ui_TriggerWidgetEvents = \"1\"");
}

TEST(PresetTemplates, WrittenFilesHaveTheirExactSize) {
    EXPECT_EQ(JoinConfigLines(CompiledTemplate(Preset::Ultra)).size(), 3912u);
    EXPECT_EQ(JoinConfigLines(CompiledTemplate(Preset::Maximum)).size(), 3888u);
    EXPECT_EQ(JoinConfigLines(CompiledTemplate(Preset::Minimum)).size(), 3874u);
}

TEST(PresetTemplates, PresetsShareTheVariableOrder) {
    const ConfigText ultra = CompiledTemplate(Preset::Ultra);
    const ConfigText minimum = CompiledTemplate(Preset::Minimum);
    for (std::size_t i = Line(0); i <= Line(146); ++i)
        EXPECT_EQ(ultra[i].substr(0, ultra[i].find(' ')), minimum[i].substr(0, minimum[i].find(' ')));
}

TEST(PresetTemplates, StartCompiledAndKeepWhatIsPutIn) {
    PresetTemplates templates;
    EXPECT_EQ(templates.Get(Preset::Maximum), CompiledTemplate(Preset::Maximum));

    ConfigText changed = templates.Get(Preset::Maximum);
    changed[Line(101)] = "r_Texture_Anisotropic_Level = \"16\"";
    templates.Replace(Preset::Maximum, changed);
    EXPECT_EQ(templates.Get(Preset::Maximum), changed);
    EXPECT_EQ(templates.Get(Preset::Ultra), CompiledTemplate(Preset::Ultra));
    EXPECT_EQ(PresetTemplates().Get(Preset::Maximum), CompiledTemplate(Preset::Maximum));

    EXPECT_THROW(templates.Get(Preset::Custom), std::invalid_argument);
    EXPECT_THROW(CompiledTemplate(Preset::Custom), std::invalid_argument);
}

TEST(PresetTemplates, DetailLevelSelectsThePreset) {
    EXPECT_EQ(PresetFromDetailLevel(0), Preset::Ultra);
    EXPECT_EQ(PresetFromDetailLevel(1), Preset::Maximum);
    EXPECT_EQ(PresetFromDetailLevel(2), Preset::Minimum);
    EXPECT_EQ(PresetFromDetailLevel(3), Preset::Custom);
    EXPECT_EQ(PresetFromDetailLevel(-1), std::nullopt);
    EXPECT_EQ(PresetFromDetailLevel(4), std::nullopt);
}

}  // namespace wmb
