#pragma once

#include <cstdint>
#include <string_view>

namespace marv {

// What a tile code means to the search. The test is made on the value as written in the map,
// taken as a double, against exactly 1, 0, 7 and 8 in that order: "7.0" is earth, "7.4" is not.
struct Terrain {
    bool walkable = false;
    std::int16_t costo = 0;
};

inline constexpr Terrain terrainOf(double value) {
    if (value == 1) return {false, 0};
    if (value == 0) return {true, 0};
    if (value == 7) return {true, 15};
    if (value == 8) return {true, -15};
    return {false, 0};
}

// The codes a program has a picture for, and how its messages name them.
struct DrawableCodes {
    bool (*canDraw)(std::int16_t code);
    std::string_view text;
};

inline constexpr DrawableCodes kDemoCodes{[](std::int16_t code) { return code >= 0 && code <= 8; },
                                          "0 a 8"};
inline constexpr DrawableCodes kEditorCodes{
    [](std::int16_t code) { return code == 0 || code == 1 || code == 7 || code == 8; },
    "0, 1, 7 y 8"};

}  // namespace marv
