#include "gameconfig/presets.h"

#include <stdexcept>

namespace wmb {

namespace {

struct PresetVariable {
    const char* name;
    const char* ultra;
    const char* maximum;
    const char* minimum;
};

// Console variables in the order they appear in every preset file, with the value per preset.
constexpr PresetVariable kPresetVariables[] = {
    {"ExitOnQuit", "1", "1", "1"},
    {"GL_TextureFilter", "GL_LINEAR_MIPMAP_LINEAR", "GL_LINEAR_MIPMAP_LINEAR", "GL_LINEAR_MIPMAP_NEAREST"},
    {"ca_EnableDecals", "1", "1", "0"},
    {"ca_ambient_light_intensity", "0.200000", "0.2", "0.2"},
    {"ca_ambient_light_range", "10", "10", "0"},
    {"cl_installshieldversion", "44", "44", "44"},
    {"cl_lazy_weapon", "0.0000", "0.0000", "0.0000"},
    {"cl_projectile_light", "1", "1", "0"},
    {"cl_weapon_light", "2", "2", "0"},
    {"d3d9_TextureFilter", "TRILINEAR", "TRILINEAR", "BILINEAR"},
    {"e_EntitySuppressionLevel", "0", "0", "2"},
    {"e_active_shadow_maps_receving", "2", "2", "0"},
    {"e_beach", "1", "1", "0"},
    {"e_brushes_merging", "1", "1", "1"},
    {"e_cgf_load_lods", "0", "0", "1"},
    {"e_decals", "1", "1", "0"},
    {"e_decals_life_time_scale", "3.0", "3.0", "0.5"},
    {"e_detail_texture_quality", "1", "1", "0"},
    {"e_flocks", "1", "1", "0"},
    {"e_light_maps", "1", "1", "1"},
    {"e_light_maps_quality", "2", "2", "0"},
    {"e_max_entity_lights", "100", "4", "2"},
    {"e_obj_lod_ratio", "100.000000", "10", "5"},
    {"e_overlay_geometry", "1", "1", "0"},
    {"e_particles_lod", "1.0", "1.0", "0.5"},
    {"e_particles_max_count", "8192", "8192", "512"},
    {"e_shadow_maps", "1", "1", "0"},
    {"e_shadow_maps_from_static_objects", "1", "1", "1"},
    {"e_shadow_maps_view_dist_ratio", "100.000000", "20", "10"},
    {"e_shadow_spots", "0", "0", "0"},
    {"e_stencil_shadows", "1", "1", "0"},
    {"e_stencil_shadows_only_from_strongest_light", "0", "0", "1"},
    {"e_use_global_fog_in_fog_volumes", "1", "0", "1"},
    {"e_vegetation_min_size", "0", "0", "2.2"},
    {"e_vegetation_sprites_distance_ratio", "100.000000", "1.0", "0.9"},
    {"e_vegetation_sprites_texres", "0", "0", "0"},
    {"es_EnableCloth", "1", "1", "0"},
    {"g_gore", "2", "2", "2"},
    {"g_language", "english", "english", "english"},
    {"g_playerprofile", "default", "default", "default"},
    {"g_serverprofile", "", "", ""},
    {"game_GliderBackImpulse", "2.5f", "2.5f", "2.5f"},
    {"game_GliderDamping", "0.15f", "0.15f", "0.15f"},
    {"game_GliderGravity", "-0.1f", "-0.1f", "-0.1f"},
    {"game_GliderStartGravity", "-0.8f", "-0.8f", "-0.8f"},
    {"i_direct_input", "1", "1", "1"},
    {"i_mouse_accel", "0.0", "0.0", "0.0"},
    {"i_mouse_smooth", "0.0", "0.0", "0.0"},
    {"log_FileVerbosity", "0", "0", "0"},
    {"log_Verbosity", "0", "0", "0"},
    {"mp_model",
     "objects/characters/pmodels/hero/hero_mp.cgf",
     "objects/characters/pmodels/hero/hero_mp.cgf",
     "objects/characters/pmodels/hero/hero_mp.cgf"},
    {"p_deathtime", "30.0000", "30.0000", "30.0000"},
    {"p_lightrange", "15", "15", "8"},
    {"p_model",
     "objects/characters/pmodels/hero/hero.cgf",
     "objects/characters/pmodels/hero/hero.cgf",
     "objects/characters/pmodels/hero/hero.cgf"},
    {"r_Beams", "1", "1", "0"},
    {"r_Brightness", "0.500000", "0.500000", "0.500000"},
    {"r_ColorBits", "32", "32", "32"},
    {"r_Contrast", "0.500000", "0.500000", "0.500000"},
    {"r_CoronaFade", "0.125", "0.125", "0.0"},
    {"r_CoronaSizeScale", "1.000000", "1.000000", "1.000000"},
    {"r_Coronas", "1", "1", "0"},
    {"r_ZorbvisionType", "0", "0", "2"},
    {"r_DepthBits", "24", "24", "24"},
    {"r_DetailDistance", "16", "16", "0"},
    {"r_DetailNumLayers", "2", "2", "0"},
    {"r_DetailTextures", "1", "1", "0"},
    {"r_DisableSfx", "0", "0", "1"},
    {"r_DisplayInfo", "0", "0", "0"},
    {"r_Driver", "Direct3D9", "Direct3D9", "Direct3D9"},
    {"r_EnhanceImage", "1", "1", "1"},
    {"r_EnhanceImageAmount", "1.000000", "1.000000", "1.000000"},
    {"r_EnvCMResolution", "2", "2", "1"},
    {"r_EnvCMupdateInterval", "0.05", "0.05", "0.2"},
    {"r_EnvLCMupdateInterval", "0.05", "0.05", "0.1"},
    {"r_EnvLightCMSize", "64", "16", "8"},
    {"r_EnvLighting", "0", "0", "0"},
    {"r_EnvTexResolution", "3", "3", "1"},
    {"r_EnvTexUpdateInterval", "0.001", "0.001", "0.1"},
    {"r_FSAA", "0", "0", "0"},
    {"r_FSAA_samples", "1", "1", "1"},
    {"r_Flares", "1", "1", "0"},
    {"r_Fullscreen", "1", "1", "1"},
    {"r_Gamma", "1.000000", "1.000000", "1.000000"},
    {"r_Glare", "1", "1", "0"},
    {"r_GlareQuality", "2", "2", "0"},
    {"r_HeatHaze", "1", "1", "0"},
    {"r_Height", "1024", "768", "768"},
    {"r_MotionBlur", "1", "1", "0"},
    {"r_ProcFlares", "1", "1", "0"},
    {"r_Quality_BumpMapping", "3", "3", "0"},
    {"r_Quality_Reflection", "1", "1", "0"},
    {"r_RenderMode", "0", "0", "0"},
    {"r_ScopeLens_fx", "1", "1", "0"},
    {"r_SelfShadow", "0", "0", "0"},
    {"r_ShadowBlur", "3", "2", "0"},
    {"r_StencilBits", "8", "8", "8"},
    {"r_TexBumpResolution", "0", "0", "2"},
    {"r_TexLMResolution", "0", "0", "0"},
    {"r_TexQuality", "0", "0", "0"},
    {"r_TexResolution", "0", "0", "2"},
    {"r_TexSkyResolution", "0", "0", "2"},
    {"r_Texture_Anisotropic_Level", "1", "1", "1"},
    {"r_TexturesStreamPoolSize", "0", "0", "0"},
    {"r_VSync", "0", "0", "0"},
    {"r_Vegetation_PerpixelLight", "1", "1", "0"},
    {"r_VolumetricFog", "1", "1", "0"},
    {"r_WaterReflections", "1", "1", "0"},
    {"r_WaterRefractions", "1", "1", "0"},
    {"r_WaterUpdateFactor", "0.001", "0.001", "0.02"},
    {"r_Width", "1280", "1024", "1024"},
    {"r_checkSunVis", "2", "2", "0"},
    {"s_CompatibleMode", "0", "0", "0"},
    {"s_DopplerEnable", "0", "0", "0"},
    {"s_DopplerValue", "1.0", "1.0", "1.0"},
    {"s_DummySound", "0", "0", "0"},
    {"s_EnableSoundFX", "0", "0", "0"},
    {"s_InactiveSoundIterationTimeout", "1", "1", "1"},
    {"s_MaxActiveSoundSpots", "100", "100", "100"},
    {"s_MaxHWChannels", "0", "0", "0"},
    {"s_MaxSoundDist", "500", "500", "500"},
    {"s_MinHWChannels", "16", "16", "16"},
    {"s_MinRepeatSoundTimeout", "200", "200", "200"},
    {"s_MusicEnable", "0", "0", "0"},
    {"s_MusicMaxPatterns", "0", "12", "12"},
    {"s_MusicStreamedData", "0", "1", "1"},
    {"s_MusicVolume", "0.5", "0.5", "0.5"},
    {"s_SFXVolume", "1", "1", "1"},
    {"s_SampleRate", "44100", "44100", "44100"},
    {"s_SoundEnable", "1", "1", "1"},
    {"s_SpeakerConfig", "5", "5", "5"},
    {"s_VisAreasPropagation", "10", "10", "10"},
    {"sv_mapcyclefile",
     "profiles/server/mapcycle.txt", "profiles/server/mapcycle.txt", "profiles/server/mapcycle.txt"},
    {"sv_maxbitspersecond", "30000", "30000", "30000"},
    {"sys_SSInfo", "0", "0", "0"},
    {"sys_firstlaunch", "1", "1", "1"},
    {"sys_script_debugger", "0", "0", "0"},
    {"sys_skiponlowspec", "0", "0", "1"},
    {"sys_spec", "3", "3", "0"},
    {"sys_warnings", "0", "0", "0"},
    {"ui_BackGroundVideo", "1", "1", "1"},
    {"ui_EasyToolTip", "0", "0", "0"},
    {"ui_RepeatDelay", "200", "200", "200"},
    {"ui_RepeatSpeed", "40", "40", "40"},
    {"ui_ToolTipDelay", "1500", "1500", "1500"},
    {"ui_ToolTips", "1", "1", "1"},
    {"ui_TriggerUIEvents", "1", "1", "1"},
    {"ui_TriggerWidgetEvents", "1", "1", "1"},
};

constexpr const char* kCommentLine = "-- This file has been written by WildmereConfigurator.exe";

}  // namespace

std::optional<Preset> PresetFromDetailLevel(int detailLevel) {
    switch (detailLevel) {
        case 0: return Preset::Ultra;
        case 1: return Preset::Maximum;
        case 2: return Preset::Minimum;
        case 3: return Preset::Custom;
        default: return std::nullopt;
    }
}

ConfigText CompiledTemplate(Preset preset) {
    ConfigText text{kCommentLine, ""};
    for (const auto& v : kPresetVariables) {
        switch (preset) {
            case Preset::Ultra: text.push_back(AssignmentLine(v.name, v.ultra)); break;
            case Preset::Maximum: text.push_back(AssignmentLine(v.name, v.maximum)); break;
            case Preset::Minimum: text.push_back(AssignmentLine(v.name, v.minimum)); break;
            case Preset::Custom: throw std::invalid_argument("The custom configuration has no template.");
        }
    }
    const std::size_t blankLines = preset == Preset::Maximum ? 2 : preset == Preset::Minimum ? 1 : 0;
    text.insert(text.end(), blankLines, " ");
    return text;
}

PresetTemplates::PresetTemplates()
    : texts_{CompiledTemplate(Preset::Ultra), CompiledTemplate(Preset::Maximum), CompiledTemplate(Preset::Minimum)} {}

const ConfigText& PresetTemplates::Get(Preset preset) const {
    return texts_[Slot(preset)];
}

void PresetTemplates::Replace(Preset preset, ConfigText text) {
    texts_[Slot(preset)] = std::move(text);
}

std::size_t PresetTemplates::Slot(Preset preset) {
    switch (preset) {
        case Preset::Ultra: return 0;
        case Preset::Maximum: return 1;
        case Preset::Minimum: return 2;
        case Preset::Custom: break;
    }
    throw std::invalid_argument("The custom configuration has no template.");
}

}  // namespace wmb
