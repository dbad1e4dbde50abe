#include "map/map_text.h"

#include <charconv>
#include <cmath>

namespace marv {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The piece as a message can show it: short, on one line.
std::string shown(std::string_view piece) {
    constexpr std::size_t kLongest = 24;
    std::string out;
    for (char c : trimmed(piece).substr(0, kLongest)) {
        out += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
    }
    if (trimmed(piece).size() > kLongest) out += "…";
    return out;
}

std::string place(std::string_view fileName, int index) {
    return std::string(fileName) + ": fila " + std::to_string(index / kBoardCells) + ", columna " +
           std::to_string(index % kBoardCells);
}

std::string countText(int count) {
    if (count == 0) return "ningún valor";
    if (count == 1) return "1 valor";
    return std::to_string(count) + " valores";
}

}  // namespace

ValueProblem parseMapValue(std::string_view piece, MapValue& out) {
    std::string_view s = trimmed(piece);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Digits, optionally a point and more digits; at least one digit in all.
    std::size_t i = 0, digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0 || i != s.size()) return ValueProblem::kNotANumber;

    double magnitude = 0;
    const auto [end, ec] =
        std::from_chars(s.data(), s.data() + s.size(), magnitude, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) return ValueProblem::kOutOfRange;
    if (ec != std::errc() || end != s.data() + s.size()) return ValueProblem::kNotANumber;

    const double number = negative ? -magnitude : magnitude;
    const double rounded = std::nearbyint(number);  // the default mode rounds halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return ValueProblem::kOutOfRange;
    out.code = static_cast<std::int16_t>(rounded);
    out.number = number;
    return ValueProblem::kNone;
}

Expected<MapValues> parseMapText(std::string_view text, std::string_view fileName) {
    MapValues values{};
    std::size_t start = 0;
    for (int index = 0; index < kMapValues; ++index) {
        const std::size_t comma = text.find(',', start);
        const bool last = comma == std::string_view::npos;
        const std::string_view piece =
            text.substr(start, last ? std::string_view::npos : comma - start);
        // The text after the final comma is no value of its own when it is blank.
        if (last && trimmed(piece).empty()) {
            return Expected<MapValues>::failure(std::string(fileName) + ": el mapa tiene " +
                                                countText(index) + " y hacen falta " +
                                                std::to_string(kMapValues) + ".");
        }
        switch (parseMapValue(piece, values[index])) {
            case ValueProblem::kNone:
                break;
            case ValueProblem::kNotANumber:
                if (trimmed(piece).empty()) {
                    return Expected<MapValues>::failure(place(fileName, index) +
                                                        ": falta el valor (dos comas seguidas).");
                }
                return Expected<MapValues>::failure(place(fileName, index) + ": «" + shown(piece) +
                                                    "» no es un número.");
            case ValueProblem::kOutOfRange:
                return Expected<MapValues>::failure(
                    place(fileName, index) + ": «" + shown(piece) +
                    "» está fuera del intervalo de -32768 a 32767.");
        }
        if (last && index + 1 < kMapValues) {
            return Expected<MapValues>::failure(std::string(fileName) + ": el mapa tiene " +
                                                countText(index + 1) + " y hacen falta " +
                                                std::to_string(kMapValues) + ".");
        }
        start = last ? text.size() : comma + 1;
    }
    return values;
}

std::string formatMapText(const CodeGrid& codes) {
    std::string text;
    text.reserve(kMapValues * 3);
    for (int row = 0; row <= kLastIndex; ++row) {
        for (int column = 0; column <= kLastIndex; ++column) {
            text += std::to_string(codes[column][row]);
            text += ',';
        }
    }
    return text;
}

CodeGrid codesOf(const MapValues& values) {
    CodeGrid codes{};
    for (int index = 0; index < kMapValues; ++index) {
        codes[index % kBoardCells][index / kBoardCells] = values[index].code;
    }
    return codes;
}

std::optional<std::string> findUndrawableCode(const MapValues& values,
                                              bool (*canDraw)(std::int16_t),
                                              std::string_view allowedCodes,
                                              std::string_view fileName) {
    for (int index = 0; index < kMapValues; ++index) {
        if (!canDraw(values[index].code)) {
            return place(fileName, index) + ": el código " + std::to_string(values[index].code) +
                   " no se puede dibujar (este programa admite " + std::string(allowedCodes) + ").";
        }
    }
    return std::nullopt;
}

}  // namespace marv
