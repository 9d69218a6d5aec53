#pragma once
// The seven resolution slots in their fixed order.

#include <array>
#include <string>

#include "settings/bench_settings.h"

namespace wmb {

inline constexpr int kSlotCount = 7;
inline constexpr int kCustomSlot = 6;

struct FixedSlot {
    const char* Key;
    const char* Label;  // "×" is the ANSI byte 0xD7
    const char* Width;
    const char* Height;
};

inline constexpr std::array<FixedSlot, kFixedSlotCount> kFixedSlots = {{
    {"640", "640\xD7" "480", "640", "480"},
    {"800", "800\xD7" "600", "800", "600"},
    {"1024", "1024\xD7" "768", "1024", "768"},
    {"1280", "1280\xD7" "1024", "1280", "1024"},
    {"1600", "1600\xD7" "1200", "1600", "1200"},
    {"2048", "2048\xD7" "1536", "2048", "1536"},
}};

inline bool SlotSelected(int k, const BenchSettings& s) {
    if (k < kFixedSlotCount) return s.ResolutionChecked[static_cast<std::size_t>(k)];
    return k == kCustomSlot && s.CustomResolution && !s.CustomWidth.empty() && !s.CustomHeight.empty();
}

inline int SelectedSlotCount(const BenchSettings& s) {
    int count = 0;
    for (int k = 0; k < kSlotCount; ++k) {
        if (SlotSelected(k, s)) ++count;
    }
    return count;
}

inline std::string SlotKey(int k) { return k < kFixedSlotCount ? kFixedSlots[static_cast<std::size_t>(k)].Key : "custom"; }

inline std::string SlotWidth(int k, const BenchSettings& s) {
    return k < kFixedSlotCount ? kFixedSlots[static_cast<std::size_t>(k)].Width : s.CustomWidth;
}

inline std::string SlotHeight(int k, const BenchSettings& s) {
    return k < kFixedSlotCount ? kFixedSlots[static_cast<std::size_t>(k)].Height : s.CustomHeight;
}

// Label as the status bar and the screenshot information show it.
inline std::string SlotLabel(int k, const BenchSettings& s) {
    if (k < kFixedSlotCount) return kFixedSlots[static_cast<std::size_t>(k)].Label;
    return s.CustomWidth + " \xD7 " + s.CustomHeight + " (Custom)...";
}

}  // namespace wmb
