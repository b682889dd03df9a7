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

struct Row {
    const char16_t* text;
    const char* read;
};

}  // namespace

TEST(PastedCode, reads_every_form_and_refuses_everything_else) {
    const char* const no = "refused";
    const Row rows[] = {
        {u"#3a7bd5", "#3A7BD5"},
        {u"#3A7BD5", "#3A7BD5"},
        {u"3a7Bd5", "#3A7BD5"},
        {u"#abc", "#AABBCC"},
        {u"#F0a", "#FF00AA"},
        {u"000000", "#000000"},
        {u"rgb(58, 123, 213)", "#3A7BD5"},
        {u"rgb(58 123 213)", "#3A7BD5"},
        {u"RGB( 0 ,255 , 007 )", "#00FF07"},
        {u"Rgb (1,2,3)", "#010203"},
        {u"rgb(\t1\r\n2  3\n)", "#010203"},
        // Blanks around the code, one ';' after it.
        {u" \t#abc\r\n", "#AABBCC"},
        {u"#abc;", "#AABBCC"},
        {u"\nrgb(1,2,3) ; \r\n", "#010203"},
        // Full width, and full width mixed with half width.
        {u"＃３Ａ７ＢＤ５", "#3A7BD5"},
        {u"３ａ７ｂｄ５", "#3A7BD5"},
        {u"＃ＡＢＣ", "#AABBCC"},
        {u"ｒｇｂ（５８，１２３，２１３）", "#3A7BD5"},
        {u"ＲＧＢ（５８　１２３　２１３）", "#3A7BD5"},
        {u"\u3000＃３a７Ｂd5；\u3000", "#3A7BD5"},
        {u"rgb（58, １２３，213)", "#3A7BD5"},
        // Not a code: other digit counts, other functions, other numbers.
        {u"", no},
        {u" \r\n\u3000", no},
        {u";", no},
        {u"#", no},
        {u"#ab", no},
        {u"abc", no},
        {u"#3a7b", no},
        {u"3a7bd", no},
        {u"#3a7bd5ff", no},
        {u"#3a7bd5f", no},
        {u"#3a7bdg", no},
        {u"# 3a7bd5", no},
        {u"##3a7bd5", no},
        {u"#3a7bd5;;", no},
        {u";#3a7bd5", no},
        {u"rgba(1,2,3,1)", no},
        {u"hsl(1,2%,3%)", no},
        {u"rgb(10%,20%,30%)", no},
        {u"rgb(256,0,0)", no},
        {u"rgb(1000,0,0)", no},
        {u"rgb(99999999999,0,0)", no},
        {u"rgb(-1,0,0)", no},
        {u"rgb(+1,0,0)", no},
        {u"rgb(1.5,2,3)", no},
        {u"rgb(1,2)", no},
        {u"rgb(1,2,3,4)", no},
        {u"rgb(1,2,3", no},
        {u"rgb 1,2,3", no},
        {u"rgb(1, 2 3)", no},
        {u"rgb(1,,2,3)", no},
        {u"rgb(,1,2,3)", no},
        {u"rgb(1,2,3,)", no},
        {u"rgb()", no},
        {u"rg(1,2,3)", no},
        {u"rgb(1、2、3)", no},
        // Other words or characters around the code.
        {u"color: #3a7bd5;", no},
        {u"#3a7bd5 is blue", no},
        {u"色 #abc", no},
        {u"\u00A0#abc", no},
        {u"#abc\u0001", no},
        {u"#abc\uFF00", no},
        // Control characters whose code differs from a digit's by 0x20.
        {u"#\u0010\u0011\u0012", no},
    };
    for (const Row& row : rows) {
        const std::u16string text = row.text;
        EXPECT_EQ(row.read, Read(text))
            << "text of " << text.size() << " units, row " << &row - rows;
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
