#include "files/cp1252.h"

#include <array>

#include "board/utf8.h"

namespace zw {

namespace {

// Bytes 0x80-0x9F; 0xA0-0xFF equal their code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char32_t CodePointOfByte(int byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char32_t>(byte);
}

// The UTF-8 bytes of every byte 0x80-0xFF, so decoding is a table copy.
struct Utf8Table {
    std::array<std::array<char, 4>, 128> bytes{};
    std::array<unsigned char, 128> length{};
};

constexpr Utf8Table MakeUtf8Table() {
    Utf8Table table;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char32_t cp = CodePointOfByte(b);
        auto& out = table.bytes[b - 0x80];
        if (cp < 0x800) {
            out[0] = static_cast<char>(0xC0 | (cp >> 6));
            out[1] = static_cast<char>(0x80 | (cp & 0x3F));
            table.length[b - 0x80] = 2;
        } else {
            out[0] = static_cast<char>(0xE0 | (cp >> 12));
            out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out[2] = static_cast<char>(0x80 | (cp & 0x3F));
            table.length[b - 0x80] = 3;
        }
    }
    return table;
}

constexpr Utf8Table kHighBytes = MakeUtf8Table();

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
    return CodePointOfByte(byte);
}

unsigned char CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

void DecodeCp1252(std::string_view bytes, std::string& utf8) {
    const Utf8Table& table = kHighBytes;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Copy runs of ASCII whole: puzzle files are nearly all ASCII.
        std::size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80)
            ++run;
        utf8.append(bytes.data() + i, run - i);
        if (run == bytes.size())
            break;
        const auto b = static_cast<unsigned char>(bytes[run]);
        utf8.append(table.bytes[b - 0x80].data(), table.length[b - 0x80]);
        i = run + 1;
    }
}

void EncodeCp1252(std::string_view utf8, std::string& bytes) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t run = pos;
        while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80)
            ++run;
        bytes.append(utf8.data() + pos, run - pos);
        pos = run;
        if (pos < utf8.size())
            bytes += static_cast<char>(CodePointToCp1252(NextCodePoint(utf8, pos)));
    }
}

}  // namespace zw
