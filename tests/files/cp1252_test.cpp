#include "files/cp1252.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace zw {
namespace {

#ifndef _WIN32
// The C library's own Windows-1252 converter as the oracle: every byte it knows must decode to
// the same UTF-8 here; the five bytes it leaves undefined must stand for the C1 control of the
// same number.
TEST(Cp1252, EveryByteDecodesAsTheCLibraryDoesAndEncodesBack) {
    iconv_t cd = iconv_open("UTF-8", "CP1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b), out[8] = {};
        char *inp = &in, *outp = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        std::string utf8;
        DecodeCp1252(std::string(1, in), utf8);
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1))
            EXPECT_EQ(Cp1252ToCodePoint(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
        else
            EXPECT_EQ(utf8, std::string(out, outp)) << std::hex << b;
        std::string back;
        EncodeCp1252(utf8, back);
        EXPECT_EQ(back, std::string(1, in)) << std::hex << b;
    }
    iconv_close(cd);
}
#endif

TEST(Cp1252, CharactersTheCodePageLacksBecomeAQuestionMark) {
    std::string bytes;
    EncodeCp1252("\xE2\x82\xAC\xC3\xB6 a\xE4\xB8\xAD" "b\xFF", bytes);  // €ö, CJK, stray byte
    EXPECT_EQ(bytes, "\x80\xF6 a?b?");
}

}  // namespace
}  // namespace zw
