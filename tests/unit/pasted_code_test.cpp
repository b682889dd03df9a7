// Reading a pasted colour code: every form that reads, half and full width,
// and the texts that are refused. Each text is read from a buffer of exactly
// its length, with no NUL after it, so a read past the end shows under ASan.
#include "core/pasted_code.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/color_code.h"

namespace {

// The code the text reads as, written "#RRGGBB", or "refused".
std::string Read(const std::u16string& text, size_t length) {
    std::vector<uint16_t> units(text.begin(), text.end());
    COLORREF c = 0xDEADBEEF;
    if (!ReadPastedCode(units.data(), length, &c)) return "refused";
    return ColorCode(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF) + (c >> 24 ? " and a top byte" : "");
}
std::string Read(const std::u16string& text) { return Read(text, text.size()); }

// The texts that read as one code, or that are refused.
struct Row {
    const char* read;
    std::vector<const char16_t*> texts;
};

}  // namespace

TEST(PastedCode, reads_every_form_and_refuses_everything_else) {
    const Row rows[] = {
        {"#3A7BD5",
         {u"#3a7bd5", u"#3A7BD5", u"3a7Bd5", u"rgb(58, 123, 213)", u"rgb(58 123 213)",
          // Full width, and full width mixed with half width.
          u"＃３Ａ７ＢＤ５", u"３ａ７ｂｄ５", u"ｒｇｂ（５８，１２３，２１３）",
          u"ＲＧＢ（５８　１２３　２１３）", u"\u3000＃３a７Ｂd5；\u3000",
          u"rgb（58, １２３，213)"}},
        // #RGB; and blanks around a code, one ';' after it.
        {"#AABBCC", {u"#abc", u" \t#abc\r\n", u"#abc;", u"＃ＡＢＣ"}},
        {"#010203", {u"Rgb (1,2,3)", u"rgb(\t1\r\n2  3\n)", u"\nrgb(1,2,3) ; \r\n"}},
        {"#FF00AA", {u"#F0a"}},
        {"#000000", {u"000000"}},
        {"#00FF07", {u"RGB( 0 ,255 , 007 )"}},
        {"refused",
         {// Other digit counts, other functions, other numbers.
          u"", u" \r\n\u3000", u";", u"#", u"#ab", u"abc", u"#3a7b", u"3a7bd", u"#3a7bd5ff",
          u"#3a7bd5f", u"#3a7bdg", u"# 3a7bd5", u"##3a7bd5", u"#3a7bd5;;", u";#3a7bd5",
          u"rgba(1,2,3,1)", u"hsl(1,2%,3%)", u"rgb(10%,20%,30%)", u"rgb(256,0,0)", u"rgb(1000,0,0)",
          u"rgb(99999999999,0,0)", u"rgb(-1,0,0)", u"rgb(+1,0,0)", u"rgb(1.5,2,3)", u"rgb(1,2)",
          u"rgb(1,2,3,4)", u"rgb(1,2,3", u"rgb 1,2,3", u"rgb(1, 2 3)", u"rgb(1,,2,3)",
          u"rgb(,1,2,3)", u"rgb(1,2,3,)", u"rgb()", u"rg(1,2,3)", u"rgb(1、2、3)",
          // Other words or characters around the code.
          u"color: #3a7bd5;", u"#3a7bd5 is blue", u"色 #abc", u"\u00A0#abc", u"#abc\u0001",
          u"#abc\uFF00",
          // Control characters whose code differs from a digit's by 0x20.
          u"#\u0010\u0011\u0012"}},
    };
    for (const Row& row : rows) {
        for (size_t i = 0; i < row.texts.size(); ++i) {
            const std::u16string text = row.texts[i];
            EXPECT_EQ(row.read, Read(text)) << "text " << i << " of the row " << row.read;
        }
    }
}

TEST(PastedCode, reads_no_further_than_the_length_or_a_nul) {
    EXPECT_EQ("#AABBCC", Read(u"#abcdef", 4)) << "four units of \"#abcdef\"";
    EXPECT_EQ("refused", Read(u"#abcdef", 0)) << "no units";
    EXPECT_EQ("#ABCDEF", Read(std::u16string(u"#abcdef\0; junk", 14))) << "a NUL ends the text";
    // A megabyte of text: blanks before a code, a run of digits, a number's zeros.
    std::u16string blanks(1 << 19, u' ');
    EXPECT_EQ("#AABBCC", Read(blanks + u"#abc")) << "half a million blanks, then a code";
    EXPECT_EQ("refused", Read(u"#" + std::u16string(1 << 19, u'a'))) << "half a million digits";
    EXPECT_EQ("#010203", Read(u"rgb(" + std::u16string(1 << 19, u'0') + u"1,2,3)"))
        << "a number with half a million leading zeros";
}
