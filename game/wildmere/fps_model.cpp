#include "fps_model.h"

#include <algorithm>
#include <cmath>

namespace wmb::game {
namespace {

constexpr std::uint64_t kFnvOffset = 1469598103934665603ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

std::uint64_t Hash(std::uint64_t h, std::string_view text) {
    for (unsigned char c : text) {
        h ^= c;
        h *= kFnvPrime;
    }
    h ^= 0xff;  // separates consecutive fields
    h *= kFnvPrime;
    return h;
}

// splitmix64: small, fast and good enough for a few numbers per run.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi).
    double Between(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(Next() >> 11) / 9007199254740992.0; }

private:
    std::uint64_t state_;
};

bool On(const ConsoleVars& vars, std::string_view name, long fallback) { return VarWhole(vars, name, fallback) != 0; }

// Each level has its own weight of scenery, between 0.85 and 1.25.
double MapWeight(const std::string& map) {
    const std::uint64_t h = Hash(kFnvOffset, ToLower(map));
    return 0.85 + 0.40 * static_cast<double>(h % 1000) / 1000.0;
}

}  // namespace

FrameCost EstimateFrameCost(const RenderSetup& setup) {
    const ConsoleVars& v = setup.vars;
    double scene = 5.0 * MapWeight(setup.map);
    const double vegetation = std::max(0.1, VarDecimal(v, "e_vegetation_sprites_distance_ratio", 1.0));
    scene *= 1.0 + 0.25 * std::max(0.0, std::log10(vegetation));
    const double lod = std::max(1.0, VarDecimal(v, "e_obj_lod_ratio", 10.0));
    scene *= 1.0 + 0.1 * std::log10(lod);
    scene *= 1.0 + 0.002 * std::clamp<double>(VarWhole(v, "e_max_entity_lights", 4), 0, 1000);
    scene *= 1.0 + std::clamp<double>(VarWhole(v, "e_particles_max_count", 2048), 0, 1 << 20) / 65536.0;
    if (On(v, "e_shadow_maps", 1)) scene *= 1.10;
    if (On(v, "r_geominstancing", 0)) scene *= 0.90;

    double pixel = 9.0;
    if (On(v, "r_fsaa", 0)) {
        const double samples = std::clamp<double>(VarWhole(v, "r_fsaa_samples", 1), 1, 16);
        pixel *= 1.0 + 0.3 * (samples - 1.0);
    }
    const double anisotropy = std::clamp<double>(VarWhole(v, "r_texture_anisotropic_level", 1), 1, 16);
    pixel *= 1.0 + 0.04 * std::log2(anisotropy);
    if (On(v, "e_shadow_maps", 1)) pixel *= 1.18;
    if (On(v, "e_stencil_shadows", 1)) pixel *= 1.08;
    pixel *= 1.0 + 0.05 * std::clamp<double>(VarWhole(v, "r_quality_bumpmapping", 2), 0, 3);
    for (const char* effect : {"r_waterreflections", "r_waterrefractions"}) {
        if (On(v, effect, 1)) pixel *= 1.05;
    }
    for (const char* effect : {"r_glare", "r_heathaze", "r_motionblur", "r_volumetricfog"}) {
        if (On(v, effect, 0)) pixel *= 1.03;
    }
    pixel *= 1.0 - 0.04 * std::clamp<double>(VarWhole(v, "r_texresolution", 0), 0, 3);
    const long hdr = std::clamp<long>(VarWhole(v, "r_hdrrendering", 0), 0, 11);
    if (hdr > 0) pixel *= 1.3 + 0.02 * static_cast<double>(hdr);
    if (On(v, "r_texnormalmapcompressed", 0)) pixel *= 0.96;
    const auto driver = v.find("r_driver");
    if (driver != v.end() && ToLower(driver->second) == "opengl") pixel *= 1.12;
    if (On(v, "r_sm30path", 0)) {
        pixel *= 0.94;
    } else if (On(v, "r_sm2xpath", 0)) {
        pixel *= 0.97;
    }
    return {scene, pixel};
}

double NominalFps(const RenderSetup& setup) {
    const FrameCost cost = EstimateFrameCost(setup);
    const double megapixels = std::max(1.0, static_cast<double>(setup.width) * std::max(1, setup.height)) / 1e6;
    return 1000.0 / (cost.sceneMs + cost.perMegapixelMs * megapixels);
}

std::uint64_t SetupSeed(const RenderSetup& setup) {
    std::uint64_t h = kFnvOffset;
    h = Hash(h, ToLower(setup.map));
    h = Hash(h, ToLower(setup.demo));
    h = Hash(h, std::to_string(setup.width) + "x" + std::to_string(setup.height));
    h = Hash(h, std::to_string(setup.frames));
    for (const auto& [name, value] : setup.vars) {
        h = Hash(h, name);
        h = Hash(h, value);
    }
    return h;
}

std::vector<RunResult> SimulateRuns(const RenderSetup& setup, int runs) {
    const double nominal = NominalFps(setup);
    const int frames = std::max(1, setup.frames);
    Random random(SetupSeed(setup));
    std::vector<RunResult> results;
    for (int run = 0; run < std::max(1, runs); ++run) {
        RunResult r;
        // The first run also streams textures in and is a little slower.
        const double warmUp = run == 0 ? 0.985 : 1.0;
        r.averageFps = nominal * warmUp * random.Between(0.988, 1.012);
        r.minFps = r.averageFps * random.Between(0.58, 0.72);
        r.maxFps = r.averageFps * random.Between(1.32, 1.55);
        r.minFrame = static_cast<int>(random.Next() % static_cast<std::uint64_t>(frames)) + 1;
        r.maxFrame = static_cast<int>(random.Next() % static_cast<std::uint64_t>(frames)) + 1;
        r.playSeconds = frames / r.averageFps;
        results.push_back(r);
    }
    return results;
}

void SpreadRuns(std::vector<RunResult>& runs, double percent) {
    for (std::size_t run = 0; run < runs.size(); ++run) {
        RunResult& r = runs[run];
        const double factor = 1.0 + (run % 2 == 0 ? percent : -percent) / 100.0;
        r.averageFps *= factor;
        r.minFps *= factor;
        r.maxFps *= factor;
        r.playSeconds /= factor;
    }
}

}  // namespace wmb::game
