#include "map/core/map_text.h"

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

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when it is not one
// (a stray byte, a cut sequence, an overlong form, a surrogate, or beyond U+10FFFF).
std::size_t utf8SequenceLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

// The piece as a message can show it: on one line, at most 24 characters, never a broken
// character; each byte that is not valid UTF-8 shows as one replacement character.
std::string shown(std::string_view piece) {
    constexpr int kLongest = 24;
    std::string_view rest = trimmed(piece);
    std::string out;
    for (int characters = 0; !rest.empty(); ++characters) {
        if (characters == kLongest) return out + "…";
        const std::size_t length = utf8SequenceLength(rest);
        if (length == 0) {
            out += "\uFFFD";
            rest.remove_prefix(1);
        } else if (length == 1 && static_cast<unsigned char>(rest.front()) < 0x20) {
            out += ' ';
            rest.remove_prefix(1);
        } else {
            out += rest.substr(0, length);
            rest.remove_prefix(length);
        }
    }
    return out;
}

std::string place(std::string_view fileName, int index) {
    const Cell cell = cellOfIndex(index);
    return std::string(fileName) + ": fila " + std::to_string(cell.row) + ", columna " +
           std::to_string(cell.column);
}

Expected<MapValues> tooFewValues(std::string_view fileName, int count) {
    std::string has;
    if (count == 0) {
        has = "no tiene ningún valor";
    } else if (count == 1) {
        has = "tiene 1 valor";
    } else {
        has = "tiene " + std::to_string(count) + " valores";
    }
    return Expected<MapValues>::failure(std::string(fileName) + ": el mapa " + has +
                                        " y hacen falta " + std::to_string(kMapValues) + ".");
}

}  // namespace

Expected<MapValue> parseMapValue(std::string_view piece) {
    std::string_view s = trimmed(piece);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const auto notANumber = [&] {
        return Expected<MapValue>::failure("«" + shown(piece) + "» no es un número");
    };
    const auto outOfRange = [&] {
        return Expected<MapValue>::failure("«" + shown(piece) +
                                           "» está fuera del intervalo de -32768 a 32767");
    };
    // Digits, optionally a point and more digits; at least one digit in all.
    std::size_t i = 0, digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0 || i != s.size()) return notANumber();

    double magnitude = 0;
    const auto [end, ec] =
        std::from_chars(s.data(), s.data() + s.size(), magnitude, std::chars_format::fixed);
    if (ec != std::errc() && ec != std::errc::result_out_of_range) return notANumber();
    if (end != s.data() + s.size()) return notANumber();
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double when the whole part is zero, and so rounds to 0; else too large.
        const std::size_t lead = s.find_first_not_of('0');
        if (lead != std::string_view::npos && s[lead] != '.') return outOfRange();
        magnitude = 0;
    }

    const double number = negative ? -magnitude : magnitude;
    const double rounded = std::nearbyint(number);  // the default mode rounds halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return outOfRange();
    return MapValue{static_cast<std::int16_t>(rounded), number};
}

Expected<MapValues> parseMapText(std::string_view text, std::string_view fileName) {
    // The byte-order mark some editors put at the start of a UTF-8 file.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    MapValues values{};
    std::size_t start = 0;
    for (int index = 0; index < kMapValues; ++index) {
        const std::size_t comma = text.find(',', start);
        const bool last = comma == std::string_view::npos;
        const std::string_view piece =
            text.substr(start, last ? std::string_view::npos : comma - start);
        // The text after the final comma is no value of its own when it is blank.
        if (last && trimmed(piece).empty()) return tooFewValues(fileName, index);
        if (trimmed(piece).empty()) {
            return Expected<MapValues>::failure(place(fileName, index) +
                                                ": falta el valor (dos comas seguidas).");
        }
        auto value = parseMapValue(piece);
        if (!value) {
            return Expected<MapValues>::failure(place(fileName, index) + ": " + value.error() +
                                                ".");
        }
        values[index] = value.value();
        if (last && index + 1 < kMapValues) return tooFewValues(fileName, index + 1);
        start = last ? text.size() : comma + 1;
    }
    return values;
}

std::string formatMapText(const CodeGrid& codes) {
    std::string text;
    text.reserve(kMapValues * 3);
    forEachCell([&](Cell cell) {
        text += std::to_string(codes[cell.column][cell.row]);
        text += ',';
    });
    return text;
}

CodeGrid codesOf(const MapValues& values) {
    CodeGrid codes{};
    forEachCell([&](Cell cell) { codes[cell.column][cell.row] = values[indexOfCell(cell)].code; });
    return codes;
}

Status checkDrawable(const MapValues& values, const DrawableCodes& codes,
                     std::string_view fileName) {
    for (int index = 0; index < kMapValues; ++index) {
        if (!codes.canDraw(values[index].code)) {
            return Status::failure(
                place(fileName, index) + ": el código " + std::to_string(values[index].code) +
                " no se puede dibujar (este programa admite " + std::string(codes.text) + ").");
        }
    }
    return {};
}

}  // namespace marv
