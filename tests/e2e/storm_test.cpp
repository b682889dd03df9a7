// Storm: thousands of random operations on the real program, as a restless
// user would make them: junk and double-byte texts in the hex edits, slider
// drags, up-down steps, target and size switches, copies. After each one the
// colour code must agree with the three decimal labels and with what the
// operations so far should have made of the four colours, the sliders must
// stand for the values, and the program must still answer.
#include <windows.h>

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

#include <random>
#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

const unsigned DEFAULT_SEED = 20261208;
// `make test` runs a short storm; `make soak` sets PIKURIO_STORM_OPERATIONS=5000.
const int DEFAULT_OPERATIONS = 400;
const int MAX_REPORTED_FAILURES = 3;

const char CHANNEL_NAMES[] = "RGB";

// What the four colours should be, red, green, blue each, and which one the
// channels edit. The start-up colours: white background, red, green, blue texts.
struct ColorModel {
    int slots[4][3] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    int current = 0;
    int* Channels() { return slots[current]; }
};

// A text as the program reads it after WM_SETTEXT from this process: Wine
// hands the ANSI text across as UTF-16, so it goes from code page 932 to
// UTF-16 and back. A double-byte character comes through as it was (and is
// never a hex digit); a lead byte without its second byte becomes "・".
std::string ThroughUtf16(const std::string& text) {
    wchar_t wide[16];
    int length = MultiByteToWideChar(932, 0, text.data(), (int)text.size(), wide, 16);
    char back[32];
    length = WideCharToMultiByte(932, 0, wide, length, back, sizeof back, nullptr, nullptr);
    return std::string(back, length > 0 ? length : 0);
}

// Under Wine a lead byte at the end takes the terminating NUL for its second
// byte, and the edit's text runs on into whatever follows the text in the
// sender's memory: then only the head of what the edit holds is known.
bool EndsInLeadByte(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) i += IsDBCSLeadByteEx(932, (BYTE)text[i]) ? 2 : 1;
    return i > text.size();
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    return text;
}

class RandomOperations {
public:
    RandomOperations(const Pikurio& app, unsigned seed) : app_(app), random_(seed) {}

    // One random operation, applied to both the program and the model.
    void Step(int index) {
        index_ = index;
        int kind = Below(20);
        if (kind < 7)
            TypeHex();
        else if (kind < 11)
            DragSlider();
        else if (kind < 15)
            StepUpDown();
        else if (kind < 17)
            SwitchTarget();
        else if (kind < 19)
            ChangeSize();
        else
            Copy();
        CheckAgreement();
    }

    int copies = 0;

private:
    int Below(int n) { return (int)(random_() % (unsigned)n); }

    // Up to five bytes: hex digits of either case, ASCII junk, and Shift-JIS
    // characters (full-width digits and letters among them) or a lone lead byte.
    std::string RandomHexText() {
        static const char DIGITS[] = "0123456789ABCDEFabcdef";
        static const char JUNK[] = "GgXz #-+!.";
        static const char* const DOUBLE_BYTE[] = {"\x82\x60", "\x82\x4F", "\x82\xA0",
                                                  "\x83\x41", "\x8A\xBF", "\x81\x40"};
        // Two bytes half of the time: the length that can be taken.
        int length = Below(2) ? 2 : Below(6);
        std::string text;
        while ((int)text.size() < length) {
            int pick = Below(10);
            if (pick < 6) {
                text += DIGITS[Below(sizeof DIGITS - 1)];
            } else if (pick < 8) {
                text += JUNK[Below(sizeof JUNK - 1)];
            } else if (pick < 9 && length - (int)text.size() >= 2) {
                text += DOUBLE_BYTE[Below(sizeof DOUBLE_BYTE / sizeof DOUBLE_BYTE[0])];
            } else {
                text += '\x82';  // a lead byte without its second byte
            }
        }
        return text;
    }

    void TypeHex() {
        int channel = Below(3);
        std::string text = RandomHexText();
        step_ = std::string("hex ") + CHANNEL_NAMES[channel] + " " + ::testing::PrintToString(text);
        app_.SetText(CHANNEL_IDS[channel].hex, text.c_str());
        // What the program reads; two hex digits are taken and written back in upper case.
        std::string read = ThroughUtf16(text);
        int value = TwoHexDigitsValue(read);
        if (value >= 0) model_.Channels()[channel] = value;
        std::string shown = app_.Text(CHANNEL_IDS[channel].hex);
        if (EndsInLeadByte(text)) shown = shown.substr(0, read.size());
        EXPECT_EQ(value >= 0 ? Upper(read) : read, shown) << At("hex edit text");
    }

    void DragSlider() {
        int channel = Below(3);
        int position = Below(272) - 8;  // a few beyond either end: the trackbar clamps
        step_ = std::string("slider ") + CHANNEL_NAMES[channel] + " " + std::to_string(position);
        app_.Send(CHANNEL_IDS[channel].slider, TBM_SETPOS, TRUE, position);
        int clamped = position < 0 ? 0 : position > 255 ? 255 : position;
        SendToDialog(WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, clamped),
                     (LPARAM)app_.Item(CHANNEL_IDS[channel].slider));
        model_.Channels()[channel] = 255 - clamped;
    }

    // As the up-down itself reports a click: its new position, then WM_VSCROLL.
    void StepUpDown() {
        int channel = Below(3);
        int position = Below(256);
        step_ = std::string("up-down ") + CHANNEL_NAMES[channel] + " " + std::to_string(position);
        app_.Send(CHANNEL_IDS[channel].spin, UDM_SETPOS, 0, MAKELPARAM(position, 0));
        SendToDialog(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                     (LPARAM)app_.Item(CHANNEL_IDS[channel].spin));
        model_.Channels()[channel] = position;
    }

    void SwitchTarget() {
        int slot = Below(4);
        step_ = "target " + std::to_string(slot);
        app_.SelectCombo(IDC_TARGET, slot);
        model_.current = slot;
    }

    void ChangeSize() {
        int text = Below(3);
        int size = Below(3);
        step_ = "size " + std::to_string(text + 1) + " " + std::to_string(size);
        app_.SelectCombo(IDC_SIZE1 + text, size);
    }

    void Copy() {
        step_ = "copy";
        ++copies;
        app_.Notify(IDC_COPY, BN_CLICKED);
        EXPECT_EQ(ExpectedCode(), ClipboardText()) << At("clipboard");
    }

    void SendToDialog(UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result;
        SendMessageTimeoutA(app_.Dialog(), message, wParam, lParam, SMTO_ABORTIFHUNG, ANSWER_MS,
                            &result);
    }

    std::string ExpectedCode() {
        const int* c = model_.Channels();
        return ColorCode(c[0], c[1], c[2]);
    }

    // The code, the labels and the sliders show the model, and the program answers.
    void CheckAgreement() {
        const int* c = model_.Channels();
        EXPECT_EQ(ExpectedCode(), app_.Text(IDC_CODE)) << At("code");
        for (int channel = 0; channel < 3; ++channel) {
            std::string name(1, CHANNEL_NAMES[channel]);
            EXPECT_EQ(std::to_string(c[channel]), app_.Text(CHANNEL_IDS[channel].dec))
                << At("decimal label " + name);
            // Every way of changing a channel leaves its slider at 255 - value.
            EXPECT_EQ(255 - c[channel], app_.SliderPos(CHANNEL_IDS[channel].slider))
                << At("slider " + name);
        }
        EXPECT_TRUE(app_.Responds()) << At("the program answers");
    }

    // Names the operation and what was compared.
    std::string At(const std::string& what) const {
        return "operation " + std::to_string(index_) + " (" + step_ + "): " + what;
    }

    const Pikurio& app_;
    std::mt19937 random_;
    ColorModel model_;
    int index_ = 0;
    std::string step_;
};

// The failures the current test has reported so far.
int FailuresSoFar() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

}  // namespace

using Storm = PikurioTest;

TEST_F(Storm, of_random_operations_keeps_code_and_labels_in_step) {
    // PIKURIO_STORM_SEED replays another storm.
    const char* seedText = getenv("PIKURIO_STORM_SEED");
    const char* operationsText = getenv("PIKURIO_STORM_OPERATIONS");
    const unsigned seed = seedText ? (unsigned)strtoul(seedText, nullptr, 10) : DEFAULT_SEED;
    const int operations = operationsText ? atoi(operationsText) : DEFAULT_OPERATIONS;
    printf("  storm: seed %u, %d operations\n", seed, operations);
    RandomOperations storm(app, seed);
    DWORD start = GetTickCount();
    // One fault repeats: a few failures tell it.
    for (int i = 0; i < operations && FailuresSoFar() < MAX_REPORTED_FAILURES; ++i) storm.Step(i);
    printf("  storm: %d copies, %lu ms\n", storm.copies, GetTickCount() - start);
}
