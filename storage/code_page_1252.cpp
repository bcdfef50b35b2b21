#include "storage/code_page_1252.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace brennquist {
namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones map to the C1
// control of the same number. All other bytes equal their code point.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char kUnmappable = '?';

char32_t CodePointOfByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> ByteOfCodePoint(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<unsigned char>(code);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t code) {
    const auto put = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
    const auto value = static_cast<std::uint32_t>(code);
    if (value < 0x80) {
        put(value);
    } else if (value < 0x800) {
        put(0xC0 | (value >> 6));
        put(0x80 | (value & 0x3F));
    } else {
        // Every code point of the table lies in the Basic Multilingual Plane.
        put(0xE0 | (value >> 12));
        put(0x80 | ((value >> 6) & 0x3F));
        put(0x80 | (value & 0x3F));
    }
}

// One step of UTF-8 decoding: the code point at the front of `text` and the
// number of bytes it takes, or no code point and the length of the maximal
// ill-formed part (at least one byte).
struct Utf8Step {
    std::optional<char32_t> code;
    std::size_t length = 1;
};

Utf8Step DecodeUtf8Step(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t code = 0;
    // Range allowed for the second byte; later bytes are always 0x80-0xBF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;   // no overlong forms
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return {std::nullopt, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= text.size()) {
            return {std::nullopt, i};
        }
        const auto next = static_cast<unsigned char>(text[i]);
        const bool allowed =
            i == 1 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
        if (!allowed) {
            return {std::nullopt, i};
        }
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

}  // namespace

std::string EncodeWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Utf8Step step = DecodeUtf8Step(utf8);
        const std::optional<unsigned char> byte =
            step.code ? ByteOfCodePoint(*step.code) : std::nullopt;
        out.push_back(byte ? static_cast<char>(*byte) : kUnmappable);
        utf8.remove_prefix(step.length);
    }
    return out;
}

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(byte)));
    }
    return out;
}

}  // namespace brennquist
