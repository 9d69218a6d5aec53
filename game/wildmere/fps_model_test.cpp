#include "fps_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace wmb::game {
namespace {

// The options in which the Ultra and Minimum configurations differ most.
ConsoleVars UltraVars() {
    return {{"r_fsaa", "1"},           {"r_fsaa_samples", "4"},  {"r_texture_anisotropic_level", "16"},
            {"e_shadow_maps", "1"},    {"e_stencil_shadows", "1"}, {"e_vegetation_sprites_distance_ratio", "100.000000"},
            {"e_obj_lod_ratio", "100.000000"}, {"e_max_entity_lights", "100"}, {"e_particles_max_count", "8192"},
            {"r_quality_bumpmapping", "3"}, {"r_glare", "1"}, {"r_heathaze", "1"}, {"r_motionblur", "1"},
            {"r_driver", "Direct3D9"}};
}

ConsoleVars MinimumVars() {
    return {{"r_fsaa", "0"},         {"r_fsaa_samples", "1"},        {"r_texture_anisotropic_level", "1"},
            {"e_shadow_maps", "0"},  {"e_stencil_shadows", "0"},     {"e_vegetation_sprites_distance_ratio", "0.9"},
            {"e_obj_lod_ratio", "5"}, {"e_max_entity_lights", "2"},  {"e_particles_max_count", "512"},
            {"r_quality_bumpmapping", "0"}, {"r_waterreflections", "0"}, {"r_waterrefractions", "0"},
            {"r_texresolution", "2"}, {"r_driver", "Direct3D9"}};
}

RenderSetup MakeSetup(int w, int h, ConsoleVars vars = {}) {
    RenderSetup s;
    s.width = w;
    s.height = h;
    s.map = "pier";
    s.demo = "1";
    s.frames = 3721;
    s.vars = std::move(vars);
    return s;
}

TEST(FpsModel, FallsWithEveryLargerResolution) {
    const int sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}, {2048, 1536}};
    double previous = 1e9;
    for (const auto& size : sizes) {
        const double fps = NominalFps(MakeSetup(size[0], size[1]));
        EXPECT_LT(fps, previous) << size[0];
        EXPECT_GT(fps, 5.0);
        EXPECT_LT(fps, 500.0);
        previous = fps;
    }
}

TEST(FpsModel, UltraIsFarSlowerThanMinimum) {
    const double ultra = NominalFps(MakeSetup(1024, 768, UltraVars()));
    const double minimum = NominalFps(MakeSetup(1024, 768, MinimumVars()));
    EXPECT_LT(ultra * 2.0, minimum);
}

TEST(FpsModel, EachCostlyOptionLowersTheRate) {
    const double base = NominalFps(MakeSetup(1280, 1024, MinimumVars()));
    const std::pair<const char*, const char*> options[] = {
        {"r_texture_anisotropic_level", "16"}, {"e_shadow_maps", "1"}, {"r_driver", "OpenGL"},
        {"e_vegetation_sprites_distance_ratio", "100.0"}, {"r_hdrrendering", "4"}};
    for (const auto& [name, value] : options) {
        ConsoleVars vars = MinimumVars();
        vars[name] = value;
        EXPECT_LT(NominalFps(MakeSetup(1280, 1024, vars)), base) << name;
    }
    ConsoleVars aa = MinimumVars();
    aa["r_fsaa"] = "1";
    aa["r_fsaa_samples"] = "8";
    EXPECT_LT(NominalFps(MakeSetup(1280, 1024, aa)), base * 0.6);
}

TEST(FpsModel, CompressedNormalMapsAndShaderModel3AreFaster) {
    const double base = NominalFps(MakeSetup(1024, 768));
    EXPECT_GT(NominalFps(MakeSetup(1024, 768, {{"r_texnormalmapcompressed", "1"}})), base);
    EXPECT_GT(NominalFps(MakeSetup(1024, 768, {{"r_sm30path", "1"}})), base);
}

TEST(FpsModel, SameInputsGiveSameRunsAndOtherInputsOtherRuns) {
    const auto a = SimulateRuns(MakeSetup(1024, 768, UltraVars()), 3);
    const auto b = SimulateRuns(MakeSetup(1024, 768, UltraVars()), 3);
    ASSERT_EQ(a.size(), 3u);
    for (size_t i = 0; i < a.size(); ++i) EXPECT_DOUBLE_EQ(a[i].averageFps, b[i].averageFps);
    RenderSetup other = MakeSetup(1024, 768, UltraVars());
    other.demo = "2";
    EXPECT_NE(SetupSeed(other), SetupSeed(MakeSetup(1024, 768, UltraVars())));
}

TEST(FpsModel, RunsVaryALittleAroundTheNominalRate) {
    const RenderSetup setup = MakeSetup(800, 600);
    const double nominal = NominalFps(setup);
    const auto runs = SimulateRuns(setup, 25);
    bool differ = false;
    for (const RunResult& r : runs) {
        EXPECT_NEAR(r.averageFps, nominal, nominal * 0.03);
        EXPECT_LT(r.minFps, r.averageFps);
        EXPECT_GT(r.maxFps, r.averageFps);
        EXPECT_GE(r.minFrame, 1);
        EXPECT_LE(r.maxFrame, setup.frames);
        EXPECT_NEAR(r.playSeconds * r.averageFps, setup.frames, 1e-6);
        differ = differ || r.averageFps != runs[0].averageFps;
    }
    EXPECT_TRUE(differ);
}

TEST(FpsModel, SpreadRunsLieAboveAndBelowInTurn) {
    const RenderSetup setup = MakeSetup(800, 600);
    const auto plain = SimulateRuns(setup, 3);
    auto spread = plain;
    SpreadRuns(spread, 20);
    const double factors[] = {1.2, 0.8, 1.2};
    for (std::size_t j = 0; j < 3; ++j) {
        EXPECT_DOUBLE_EQ(spread[j].averageFps, plain[j].averageFps * factors[j]) << j;
        EXPECT_DOUBLE_EQ(spread[j].minFps, plain[j].minFps * factors[j]) << j;
        EXPECT_DOUBLE_EQ(spread[j].maxFps, plain[j].maxFps * factors[j]) << j;
        EXPECT_NEAR(spread[j].playSeconds * spread[j].averageFps, setup.frames, 1e-6) << j;
    }
    auto none = plain;
    SpreadRuns(none, 0);
    EXPECT_EQ(none[1].averageFps, plain[1].averageFps);
}

TEST(FpsModel, DegenerateInputsStillGiveOneFiniteRun) {
    RenderSetup setup = MakeSetup(0, 0, {{"r_fsaa", "1"}, {"r_fsaa_samples", "999"}, {"e_max_entity_lights", "-5"}});
    setup.frames = 0;
    const auto runs = SimulateRuns(setup, 0);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_GT(runs[0].averageFps, 0.0);
    EXPECT_TRUE(std::isfinite(runs[0].playSeconds));
}

}  // namespace
}  // namespace wmb::game
