// The texts the program puts on screen at run time. Sources are UTF-8; the
// compiler stores these literals as Shift-JIS (code page 932) bytes. The
// resource script reads the name, version and holder from here too, for the
// exe's version resource (windres turns them into UTF-16).
#ifndef PIKURIO_STRINGS_H
#define PIKURIO_STRINGS_H

// The version is kept as numbers, which the version resource needs; its text
// is made from them. scripts/dist.sh reads the two numbers for the zip's name.
#define APP_VERSION_MAJOR 1
#define APP_VERSION_MINOR 3
#define APP_TEXT_(x) #x
#define APP_TEXT(x) APP_TEXT_(x)
#define APP_VERSION APP_TEXT(APP_VERSION_MAJOR) "." APP_TEXT(APP_VERSION_MINOR)

#define APP_NAME "ピクリオ"
#define APP_HOLDER "2026 Pikurio developers"
// Before the holder, in the About box and in the version resource.
#define APP_COPYRIGHT "Copyright (C) "
#define APP_HOME_URL "https://pikurio.example.com/"
#define APP_MAIL "pikurio@example.com"

// Target combo entries, in slot order.
#define TEXT_BACKGROUND "背景"
#define TEXT_SAMPLE1 "文字１"
#define TEXT_SAMPLE2 "文字２"
#define TEXT_SAMPLE3 "文字３"

// Size combo entries, large to small.
#define TEXT_SIZE_LARGE "大"
#define TEXT_SIZE_MEDIUM "中"
#define TEXT_SIZE_SMALL "小"

// Pick-mode prompt, two lines.
#define TEXT_PROMPT_LINE1 "取得したい色をクリック"
#define TEXT_PROMPT_LINE2 "してください。"

// The preview's contrast tooltip: its first line, then one line per sample
// text from the format (its name, size word, " #RRGGBB" in the menu and the
// copy or nothing in the tooltip, the ratio's whole part and hundredths, and
// its level), and the levels.
#define TEXT_CONTRAST_TITLE "背景とのコントラスト比"
#define TEXT_VERDICT_LINE "%s（%s）%s %u.%02u:1 %s"
#define TEXT_LEVEL_AAA "AAA"
#define TEXT_LEVEL_AA "AA"
#define TEXT_LEVEL_LOW "不足"

// The preview's menu: a colour that brings a text up to a level (the level,
// the word, " #RRGGBB", the ratio's whole part and hundredths, and an empty
// last word), and the copy of the results.
#define TEXT_PASSING_ITEM "%s %s %s（%u.%02u:1）%s"
#define TEXT_PASSING_WORD "にする"
#define TEXT_MENU_COPY "結果をコピー(&C)"

// The preview's colour-vision views: its menu's items and the corner mark
// that names the view shown.
#define TEXT_VIEW_NORMAL "一般の見え方（C型）"
#define TEXT_VIEW_PROTAN "P型（1型）の見え方"
#define TEXT_VIEW_DEUTAN "D型（2型）の見え方"
#define TEXT_VIEW_TRITAN "T型（3型）の見え方"

#define TEXT_ABOUT_CAPTION "バージョン情報"

#endif
