// The colour model: its text forms, the parsing of typed hex digits, and the
// control operations every change of a channel sends, in order.
#include "core/color_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/color_code.h"
#include "tests/unit/recorder.h"

namespace {

using Ops = std::vector<ControlOp>;

// Every test starts from the model as the process starts it, with nothing recorded.
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_app = AppState{};
        ClearRecording();
    }
    // From here on UpdateChannel repaints the preview.
    static void ShowPreview() { g_app.slots[SLOT_BACKGROUND].window = FakeWindow(); }
};

const int R = CHANNEL_RED;
const int G = CHANNEL_GREEN;
const int B = CHANNEL_BLUE;

std::string CodeOfChannels() {
    return ColorCode(g_app.channels[R].value, g_app.channels[G].value, g_app.channels[B].value);
}

void SetChannels(uint8_t red, uint8_t green, uint8_t blue) {
    g_app.channels[R].value = red;
    g_app.channels[G].value = green;
    g_app.channels[B].value = blue;
}

// What holds after every change: the current slot is the channels' colour and
// the last colour code written agrees with them.
void ExpectModelConsistent() {
    EXPECT_EQ(g_app.updateDepth, 0);
    EXPECT_EQ(g_app.slots[g_app.currentSlot].color,
              ColorRefOf(g_app.channels[R].value, g_app.channels[G].value,
                         g_app.channels[B].value));
    Ops codes = RecordedOps(OpKind::CodeText);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back().text, CodeOfChannels());
}

// ---- Text forms ----

struct TextsRow {
    unsigned value, red, green, blue;
    const char *hex, *code, *dec;
};

TEST(FormatChannelTexts, ThreeTextsAtFixedOffsets) {
    const TextsRow rows[] = {
        {0, 0, 0, 0, "00", "#000000", "0"},
        {255, 255, 255, 255, "FF", "#FFFFFF", "255"},
        {0, 255, 0, 255, "00", "#FF00FF", "0"},
        {10, 10, 200, 7, "0A", "#0AC807", "10"},
        {171, 0x12, 0x34, 0xAB, "AB", "#1234AB", "171"},
        {100, 1, 100, 2, "64", "#016402", "100"},
    };
    for (const TextsRow& row : rows) {
        SCOPED_TRACE(row.code);
        ChannelTexts texts = FormatChannelTexts(row.value, row.red, row.green, row.blue);
        EXPECT_STREQ(texts.buffer + 0, row.hex);
        EXPECT_STREQ(texts.buffer + 3, row.code);
        EXPECT_STREQ(texts.buffer + 11, row.dec);
    }
}

// ---- Typed hex digits ----

struct HexRow {
    const char* text;
    bool parses;
    uint8_t value;
};

TEST(ParseHexByte, TwoDigitsOfEitherCaseOrNothing) {
    const HexRow rows[] = {
        {"ff", true, 255},
        {"FF", true, 255},
        {"fF", true, 255},
        {"0a", true, 10},
        {"00", true, 0},
        {"A0", true, 0xA0},
        {"9e", true, 0x9E},
        {"7B", true, 0x7B},
        {"G1", false, 0},
        {"1G", false, 0},
        {"1 ", false, 0},
        {" 1", false, 0},
        {"-1", false, 0},
        {"0x", false, 0},
        // One double-byte character; its trail byte 0xA0 is no digit either.
        {"\x82\xA0", false, 0},
        {"0\x80", false, 0},
        // The terminator must not count as a digit.
        {"1", false, 0},
        {"", false, 0},
    };
    for (const HexRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.text));
        uint8_t value = 0x5A;
        EXPECT_EQ(ParseHexByte(row.text, &value), row.parses);
        EXPECT_EQ(value, row.parses ? row.value : 0x5A);
    }
}

TEST_F(ModelTest, TypedTextThatIsNotTwoDigitsChangesNothing) {
    ShowPreview();
    UpdateChannel(G, 0x12, true);
    const COLORREF before = g_app.slots[SLOT_BACKGROUND].color;
    // "fff" and "0ff" would give 255 and 15 if their first two bytes were taken.
    const char* texts[] = {"", "f", "fff", "0ff", "zz", "G1", "1 ", "\x82\xA0", "\x82\xA0\x82\xA0"};
    for (const char* text : texts) {
        SCOPED_TRACE(testing::PrintToString(text));
        ClearRecording();
        ApplyTypedHex(G, text);
        EXPECT_EQ(RecordedOps(), Ops{});
        EXPECT_EQ(g_app.channels[G].value, 0x12);
        EXPECT_EQ(g_app.slots[SLOT_BACKGROUND].color, before);
    }
}

TEST_F(ModelTest, TypedDigitsRewriteTheEditAndMoveTheSlider) {
    ShowPreview();
    ApplyTypedHex(G, "a0");
    // The hex edit is rewritten in upper case; that text's echo is ignored.
    EXPECT_EQ(RecordedOps(), (Ops{HexText(G, "A0"), CodeText("#FFA0FF"), DecText(G, "160"),
                                  SliderPos(G, 95), Repaint()}));
    EXPECT_EQ(EchoCount(), 1);
    EXPECT_EQ(g_app.channels[G].value, 0xA0);
    ExpectModelConsistent();
}

TEST_F(ModelTest, TypedDigitsAreIgnoredWhileTheModelWrites) {
    g_app.updateDepth = 1;
    ApplyTypedHex(R, "00");
    EXPECT_EQ(RecordedOps(), Ops{});
    EXPECT_EQ(g_app.channels[R].value, 255);
}

// ---- UpdateChannel ----

TEST_F(ModelTest, UpdateChannelWritesTextsSliderAndRepaintInOrder) {
    ShowPreview();
    UpdateChannel(R, 0x12, true);
    EXPECT_EQ(RecordedOps(), (Ops{HexText(R, "12"), CodeText("#12FFFF"), DecText(R, "18"),
                                  SliderPos(R, 237), Repaint()}));
    // The hex text was echoed back while the model was writing and changed nothing.
    EXPECT_EQ(EchoCount(), 1);
    ExpectModelConsistent();
}

// Dialog initialisation sets each channel to 255 while the background is
// current and before the preview exists, so nothing is repainted yet.
TEST_F(ModelTest, StartUpMakesTheBackgroundWhite) {
    for (int channel = R; channel <= B; ++channel) UpdateChannel(channel, 255, true);
    EXPECT_EQ(RecordedOps(),
              (Ops{HexText(R, "FF"), CodeText("#FFFFFF"), DecText(R, "255"), SliderPos(R, 0),
                   HexText(G, "FF"), CodeText("#FFFFFF"), DecText(G, "255"), SliderPos(G, 0),
                   HexText(B, "FF"), CodeText("#FFFFFF"), DecText(B, "255"), SliderPos(B, 0)}));
    EXPECT_EQ(g_app.slots[SLOT_BACKGROUND].color, 0xFFFFFFu);
    EXPECT_EQ(g_app.slots[SLOT_TEXT1].color, 0x0000FFu);
    EXPECT_EQ(g_app.slots[SLOT_TEXT2].color, 0x00FF00u);
    EXPECT_EQ(g_app.slots[SLOT_TEXT3].color, 0xFF0000u);
}

// ---- Slots ----

TEST_F(ModelTest, LoadingASlotMovesAllThreeChannels) {
    ShowPreview();
    LoadSlotIntoChannels(SLOT_TEXT1);  // 0x0000FF: pure red
    EXPECT_EQ(RecordedOps(),
              (Ops{HexText(R, "FF"), CodeText("#FFFFFF"), DecText(R, "255"), SliderPos(R, 0),
                   Repaint(), HexText(G, "00"), CodeText("#FF00FF"), DecText(G, "0"),
                   SliderPos(G, 255), Repaint(), HexText(B, "00"), CodeText("#FF0000"),
                   DecText(B, "0"), SliderPos(B, 255), Repaint()}));
    EXPECT_EQ(g_app.currentSlot, SLOT_TEXT1);
    EXPECT_EQ(g_app.channels[R].value, 255);
    EXPECT_EQ(g_app.channels[G].value, 0);
    EXPECT_EQ(g_app.channels[B].value, 0);
    EXPECT_EQ(g_app.slots[SLOT_TEXT1].color, 0x0000FFu);
    EXPECT_EQ(g_app.slots[SLOT_BACKGROUND].color, 0x000000u);
}

TEST_F(ModelTest, SwitchingAwayAndBackLeavesEverySlotAsItWas) {
    // Four colours whose bytes all differ, so a swapped or shifted byte shows.
    const COLORREF colors[SLOT_COUNT] = {0x123456, 0xABCDEF, 0x0F1E2D, 0x807060};
    for (int slot = 0; slot < SLOT_COUNT; ++slot) g_app.slots[slot].color = colors[slot];
    for (int first = 0; first < SLOT_COUNT; ++first) {
        for (int other = 0; other < SLOT_COUNT; ++other) {
            SCOPED_TRACE(testing::Message() << "slot " << first << " via " << other);
            LoadSlotIntoChannels(first);
            LoadSlotIntoChannels(other);
            LoadSlotIntoChannels(first);
            for (int slot = 0; slot < SLOT_COUNT; ++slot)
                EXPECT_EQ(g_app.slots[slot].color, colors[slot]) << "slot " << slot;
            EXPECT_EQ(ColorRefOf(g_app.channels[R].value, g_app.channels[G].value,
                                 g_app.channels[B].value),
                      colors[first]);
        }
    }
}

TEST_F(ModelTest, AChangeReachesOnlyTheCurrentSlot) {
    LoadSlotIntoChannels(SLOT_TEXT2);
    UpdateChannel(B, 0x80, true);
    ApplyTypedHex(R, "11");
    ApplySliderPosition(G, 0x10);
    EXPECT_EQ(g_app.slots[SLOT_TEXT2].color, ColorRefOf(0x11, 0xEF, 0x80));
    EXPECT_EQ(g_app.slots[SLOT_BACKGROUND].color, 0x000000u);
    EXPECT_EQ(g_app.slots[SLOT_TEXT1].color, 0x0000FFu);
    EXPECT_EQ(g_app.slots[SLOT_TEXT3].color, 0xFF0000u);
}

TEST_F(ModelTest, SizeComboListsLargeFirst) {
    const int expectedSize[] = {2, 1, 0};
    for (int textSlot = SLOT_TEXT1; textSlot <= SLOT_TEXT3; ++textSlot) {
        for (int selection = 0; selection < 3; ++selection) {
            SCOPED_TRACE(testing::Message() << "slot " << textSlot << " selection " << selection);
            g_app = AppState{};
            SetSlotSize(textSlot, selection);
            for (int slot = 0; slot < SLOT_COUNT; ++slot) {
                int expected =
                    slot == textSlot ? expectedSize[selection] : AppState{}.slots[slot].sizeIndex;
                EXPECT_EQ(g_app.slots[slot].sizeIndex, expected) << "slot " << slot;
            }
        }
    }
    EXPECT_EQ(RecordedOps(), Ops{});
}

// ---- Sliders ----

TEST_F(ModelTest, SliderTopIs255AndTheSliderIsNotMovedBack) {
    ShowPreview();
    ApplySliderPosition(R, 255);
    EXPECT_EQ(RecordedOps(),
              (Ops{HexText(R, "00"), CodeText("#00FFFF"), DecText(R, "0"), Repaint()}));
    EXPECT_EQ(g_app.channels[R].value, 0);

    ClearRecording();
    ApplySliderPosition(R, 0);
    EXPECT_EQ(g_app.channels[R].value, 255);
    ApplySliderPosition(B, 100);
    EXPECT_EQ(g_app.channels[B].value, 155);
    EXPECT_TRUE(RecordedOps(OpKind::SliderPos).empty());
    ExpectModelConsistent();
}

TEST_F(ModelTest, SliderPositionsOutsideTheRangeChangeNothing) {
    ShowPreview();
    UpdateChannel(G, 0x42, true);
    ClearRecording();
    for (int position : {-1, 256, 1000, -255}) {
        SCOPED_TRACE(position);
        ApplySliderPosition(G, position);
        EXPECT_EQ(RecordedOps(), Ops{});
        EXPECT_EQ(g_app.channels[G].value, 0x42);
        EXPECT_EQ(g_app.slots[SLOT_BACKGROUND].color, ColorRefOf(255, 0x42, 255));
    }
}

// ---- Loading a picked pixel ----

TEST_F(ModelTest, APickedPixelLoadsBlueFirst) {
    LoadSlotIntoChannels(SLOT_TEXT3);
    ClearRecording();
    const uint32_t rest = ApplyPixelToChannels(0xAB123456);
    EXPECT_EQ(RecordedOps(OpKind::HexText),
              (Ops{HexText(CHANNEL_BLUE, "56"), HexText(CHANNEL_GREEN, "34"),
                   HexText(CHANNEL_RED, "12")}));
    // The code passes through two mixed colours on the way.
    EXPECT_EQ(RecordedOps(OpKind::CodeText),
              (Ops{CodeText("#000056"), CodeText("#003456"), CodeText("#123456")}));
    EXPECT_EQ(RecordedOps(OpKind::SliderPos).size(), 3u);
    EXPECT_EQ(g_app.channels[CHANNEL_RED].value, 0x12);
    EXPECT_EQ(g_app.channels[CHANNEL_GREEN].value, 0x34);
    EXPECT_EQ(g_app.channels[CHANNEL_BLUE].value, 0x56);
    EXPECT_EQ(g_app.slots[SLOT_TEXT3].color, ColorRefOf(0x12, 0x34, 0x56));
    EXPECT_EQ(g_app.slots[SLOT_BACKGROUND].color, 0x000000u);
    EXPECT_EQ(rest, 0xABu);
}

// ---- Copy text ----

TEST_F(ModelTest, CopyTextIsTheColourCodeRedFirst) {
    struct Row {
        uint8_t red, green, blue;
        const char* text;
    } rows[] = {
        {18, 52, 86, "#123456"},
        {0, 0, 0, "#000000"},
        {255, 10, 0, "#FF0A00"},
        {0xAB, 0xCD, 0xEF, "#ABCDEF"},
    };
    for (const Row& row : rows) {
        SetChannels(row.red, row.green, row.blue);
        char text[COPY_TEXT_SIZE];
        FormatCopyText(text);
        EXPECT_STREQ(text, row.text);
    }
}

}  // namespace
