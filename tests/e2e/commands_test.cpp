// The colour editor's commands from outside: typing into the hex edits, the
// sliders and up-downs, the target combo, copying, and bad input.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

// Sends a slider notification to the dialog as the trackbar itself does.
void SliderNotify(const Pikurio& app, int sliderId, WORD code) {
    DWORD_PTR result;
    SendMessageTimeoutA(app.Dialog(), WM_VSCROLL, MAKEWPARAM(code, app.SliderPos(sliderId)),
                        (LPARAM)app.Item(sliderId), SMTO_ABORTIFHUNG, ANSWER_MS, &result);
}

}  // namespace

using Commands = PikurioTest;

TEST_F(Commands, typed_hex_takes_effect_at_the_second_character) {
    app.Activate();
    app.TypeInto(IDC_G_HEX, "8");
    EXPECT_EQ("#FFFFFF hex FF 8 FF dec 255 255 255 sliders 0 0 0", app.ChannelsShown())
        << "after \"8\"";

    TypeText("0");
    EXPECT_SOON(ChannelsShownFor(255, 128, 255), app.ChannelsShown()) << "after \"80\"";
    // The caret stays at the end of a taken value.
    PressKey(VK_BACK);
    TypeText("4");
    EXPECT_SOON(ChannelsShownFor(255, 0x84, 255), app.ChannelsShown())
        << "after Backspace and \"4\"";

    app.TypeInto(IDC_G_HEX, "zz");
    EXPECT_EQ("#FF84FF hex FF zz FF dec 255 132 255 sliders 0 123 0", app.ChannelsShown())
        << "after \"zz\"";

    // Lower case is taken and written back in upper case.
    app.TypeInto(IDC_G_HEX, "ab");
    EXPECT_SOON(ChannelsShownFor(255, 171, 255), app.ChannelsShown()) << "after \"ab\"";

    TypeText("c");
    EXPECT_EQ(ChannelsShownFor(255, 171, 255), app.ChannelsShown())
        << "a third character is refused";
}

TEST_F(Commands, slider_moves_set_the_value_but_home_end_and_end_of_drag_do_not) {
    // A drag to the bottom: red 0, the thumb left where it was put.
    app.Send(IDC_R_SLIDER, TBM_SETPOS, TRUE, 255);
    SliderNotify(app, IDC_R_SLIDER, TB_THUMBTRACK);
    EXPECT_EQ(ChannelsShownFor(0, 255, 255), app.ChannelsShown())
        << "red slider dragged to the bottom";

    app.Send(IDC_G_SLIDER, TBM_SETPOS, TRUE, 100);
    SliderNotify(app, IDC_G_SLIDER, TB_THUMBTRACK);
    EXPECT_EQ(ChannelsShownFor(0, 155, 255), app.ChannelsShown()) << "green slider dragged to 100";

    // Home, End and the end of a drag leave the value where it was.
    const WORD ignored[] = {TB_TOP, TB_BOTTOM, TB_ENDTRACK};
    for (WORD code : ignored) {
        SCOPED_TRACE("green slider at 200, code " + std::to_string(code));
        app.Send(IDC_G_SLIDER, TBM_SETPOS, TRUE, 200);
        SliderNotify(app, IDC_G_SLIDER, code);
        EXPECT_EQ("155", app.Text(IDC_G_DEC)) << "label";
        EXPECT_EQ("#009BFF", app.Text(IDC_CODE)) << "code";
        EXPECT_EQ(200, app.SliderPos(IDC_G_SLIDER)) << "thumb stays";
    }
    // The moving codes other than the drag read the thumb back as well.
    SliderNotify(app, IDC_G_SLIDER, TB_THUMBPOSITION);
    EXPECT_EQ("55 #0037FF", app.Text(IDC_G_DEC) + " " + app.Text(IDC_CODE))
        << "green slider released at 200";
}

TEST_F(Commands, dragging_a_slider_thumb_updates_the_value_all_the_way) {
    app.Activate();
    RECT r;
    GetWindowRect(app.Item(IDC_R_SLIDER), &r);
    int x = (r.left + r.right) / 2;
    // The thumb sits at the top of the channel while red is 255; find the
    // press point that starts a drag rather than a page step.
    int grab = -1;
    for (int y = r.top + 4; y < r.top + 24 && grab < 0; y += 2) {
        MoveMouseTo(x, y);
        MouseButton(false, true);
        MoveMouseTo(x, (r.top + r.bottom) / 2);
        bool dragging = WaitUntil([&] { return app.SliderPos(IDC_R_SLIDER) > 60; }, 500) &&
                        app.SliderPos(IDC_R_SLIDER) < 200;
        if (dragging) {
            grab = y;
            break;
        }
        MouseButton(false, false);
        app.Send(IDC_R_SLIDER, TBM_SETPOS, TRUE, 0);
        app.SetText(IDC_R_HEX, "FF");
    }
    ASSERT_GE(grab, 0) << "a press on the red thumb starts a drag";
    int middle = app.SliderPos(IDC_R_SLIDER);
    EXPECT_EQ(std::to_string(255 - middle), app.Text(IDC_R_DEC))
        << "red follows the thumb during the drag";
    MoveMouseTo(x, r.bottom + 40);
    EXPECT_SOON(ChannelsShownFor(0, 255, 255), app.ChannelsShown())
        << "red dragged past the bottom";
    MouseButton(false, false);
    EXPECT_EQ(ChannelsShownFor(0, 255, 255), app.ChannelsShown()) << "red after the release";
}

TEST_F(Commands, slider_keys_move_by_one_and_home_end_move_only_the_thumb) {
    app.Activate();
    HWND slider = app.Item(IDC_B_SLIDER);
    POINT center = CenterOf(slider);
    ClickAt(center.x, center.y);  // focuses the slider; it may page the thumb too
    ASSERT_SOON(slider, app.FocusedWindow()) << "focus after a click on the blue slider";
    int position = app.SliderPos(IDC_B_SLIDER);
    int value = 255 - position;
    EXPECT_EQ(std::to_string(value), app.Text(IDC_B_DEC)) << "blue label after the click";

    PressKey(VK_DOWN);
    EXPECT_SOON(ChannelsShownFor(255, 255, value - 1), app.ChannelsShown()) << "after Down";

    PressKey(VK_UP);
    PressKey(VK_UP);
    EXPECT_SOON(ChannelsShownFor(255, 255, value + 1), app.ChannelsShown()) << "after Up twice";

    PressKey(VK_END);
    EXPECT_SOON(255, app.SliderPos(IDC_B_SLIDER)) << "End moves the thumb to the bottom";
    EXPECT_EQ(std::to_string(value + 1), app.Text(IDC_B_DEC)) << "End leaves the value";
    PressKey(VK_HOME);
    EXPECT_SOON(0, app.SliderPos(IDC_B_SLIDER)) << "Home moves the thumb to the top";
    EXPECT_EQ(std::to_string(value + 1), app.Text(IDC_B_DEC)) << "Home leaves the value";
}

TEST_F(Commands, up_down_arrows_step_the_value_by_one) {
    app.Activate();
    app.TypeInto(IDC_R_HEX, "64");
    ASSERT_SOON(ChannelsShownFor(100, 255, 255), app.ChannelsShown()) << "red 100 typed as \"64\"";

    RECT r;
    GetWindowRect(app.Item(IDC_R_SPIN), &r);
    int x = (r.left + r.right) / 2;
    ClickAt(x, r.top + (r.bottom - r.top) / 4);
    EXPECT_SOON(ChannelsShownFor(101, 255, 255), app.ChannelsShown()) << "after the up arrow";

    ClickAt(x, r.bottom - (r.bottom - r.top) / 4);
    ClickAt(x, r.bottom - (r.bottom - r.top) / 4);
    EXPECT_SOON(ChannelsShownFor(99, 255, 255), app.ChannelsShown())
        << "after the down arrow twice";
}

TEST_F(Commands, target_combo_loads_each_slot_and_slots_keep_their_colours) {
    app.SelectCombo(IDC_TARGET, 2);
    EXPECT_EQ(ChannelsShownFor(0, 255, 0), app.ChannelsShown()) << "text 2 loaded";

    // A change while text 2 is current belongs to text 2 alone.
    app.SetText(IDC_B_HEX, "80");
    EXPECT_EQ(ChannelsShownFor(0, 255, 0x80), app.ChannelsShown()) << "text 2 changed";

    struct Expected {
        int slot;
        int red, green, blue;
    };
    const Expected slots[] = {
        {0, 255, 255, 255}, {2, 0, 255, 0x80}, {1, 255, 0, 0}, {3, 0, 0, 255}, {2, 0, 255, 0x80},
    };
    for (const Expected& e : slots) {
        app.SelectCombo(IDC_TARGET, e.slot);
        EXPECT_EQ(ChannelsShownFor(e.red, e.green, e.blue), app.ChannelsShown())
            << "slot " << e.slot << " loaded";
    }
    EXPECT_EQ(2, app.Send(IDC_TARGET, CB_GETCURSEL)) << "target combo keeps the selection";
}

TEST_F(Commands, copy_puts_the_colour_code_on_the_clipboard) {
    app.Activate();
    app.TypeInto(IDC_R_HEX, "12");
    app.TypeInto(IDC_G_HEX, "34");
    app.TypeInto(IDC_B_HEX, "56");
    ASSERT_SOON(ChannelsShownFor(0x12, 0x34, 0x56), app.ChannelsShown()) << "18/52/86 typed";
    PutClipboardText("not a colour");
    POINT copy = CenterOf(app.Item(IDC_COPY));

    // While another program holds the clipboard open for long, a copy leaves
    // it alone. Held with a window: Wine lets a second OpenClipboard(NULL) in
    // while the clipboard is open without an owner window, whichever thread
    // holds it.
    ColorWindow holder(RGB(0, 0, 0), 1000, 740, 8, 8);
    ASSERT_TRUE(OpenClipboard(holder.Handle())) << "hold the clipboard open";
    ClickAt(copy.x, copy.y);
    Settle(300);
    CloseClipboard();
    EXPECT_EQ("not a colour", ClipboardText()) << "clipboard after a copy while it was held";
    EXPECT_TRUE(app.Responds()) << "the dialog answers after the failed copy";

    // Held for a moment, as a clipboard manager holds it after every change,
    // it is waited for. The click left the focus on the copy button: Space
    // copies (PressKey settles for 30 ms after the key).
    ASSERT_TRUE(OpenClipboard(holder.Handle())) << "hold the clipboard for 40 ms";
    PressKey(VK_SPACE);
    Settle(10);
    CloseClipboard();
    EXPECT_SOON("#123456", ClipboardText()) << "clipboard after a copy while held for 40 ms";

    // The click left the focus on the copy button: Enter copies again.
    app.SetText(IDC_R_HEX, "AB");
    ASSERT_SOON(ChannelsShownFor(0xAB, 0x34, 0x56), app.ChannelsShown()) << "red set to AB";
    PressKey(VK_RETURN);
    EXPECT_SOON("#AB3456", ClipboardText()) << "clipboard after Enter on the copy button";
}

TEST_F(Commands, bad_hex_texts_change_nothing) {
    app.SetText(IDC_G_HEX, "7f");
    const std::string before = ChannelsShownFor(255, 0x7F, 255);
    ASSERT_EQ(before, app.ChannelsShown()) << "green set to 7F";

    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"100 characters", std::string(100, 'A')},
        {"double-byte character", "\x82\xA0"},
        {"tab and newline", "\t\n"},
        {"control bytes", "\x01\x7F"},
        {"space and digit", " 1"},
        {"sign", "-1"},
        {"one digit", "5"},
    };
    for (const Case& c : cases) {
        for (const ChannelIds& ids : CHANNEL_IDS) {
            int id = ids.hex;
            SCOPED_TRACE(c.name + std::string(" into ") + std::to_string(id));
            app.SetText(id, c.text.c_str());
            EXPECT_TRUE(app.Responds()) << "the dialog answers";
            EXPECT_EQ(c.text, app.Text(id)) << "text left as given";
            std::string model = app.Text(IDC_CODE) + " " + app.Text(IDC_R_DEC) + " " +
                                app.Text(IDC_G_DEC) + " " + app.Text(IDC_B_DEC);
            EXPECT_EQ("#FF7FFF 255 127 255", model) << "model";
            app.SetText(id, id == IDC_G_HEX ? "7F" : "FF");  // back to the whole state
        }
    }
    EXPECT_EQ(before, app.ChannelsShown()) << "state at the end";
}
