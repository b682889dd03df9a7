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
                        (LPARAM)app.Item(sliderId), SMTO_ABORTIFHUNG, 5000, &result);
}

// Waits for the editor to show a colour; true when it did within the bound.
bool WaitForChannels(const Pikurio& app, int red, int green, int blue) {
    std::string expected = ChannelsShownFor(red, green, blue);
    return WaitUntil([&] { return app.ChannelsShown() == expected; }, 3000);
}

// A state the rest of the test builds on: waits for it, or ends the test.
void RequireChannels(const Pikurio& app, const std::string& step, int red, int green, int blue) {
    if (WaitForChannels(app, red, green, blue)) return;
    CHECK_EQ(step, ChannelsShownFor(red, green, blue), app.ChannelsShown());
    throw TestAbort();
}

}  // namespace

TEST_CASE(typed_hex_takes_effect_at_the_second_character) {
    Pikurio app;
    app.Activate();
    app.TypeInto(IDC_G_HEX, "8");
    CHECK_EQ("after \"8\"", std::string("#FFFFFF hex FF 8 FF dec 255 255 255 sliders 0 0 0"),
             app.ChannelsShown());

    TypeText("0");
    WaitForChannels(app, 255, 128, 255);
    CHECK_EQ("after \"80\"", ChannelsShownFor(255, 128, 255), app.ChannelsShown());

    app.TypeInto(IDC_G_HEX, "zz");
    CHECK_EQ("after \"zz\"", std::string("#FF80FF hex FF zz FF dec 255 128 255 sliders 0 127 0"),
             app.ChannelsShown());

    // Lower case is taken and written back in upper case.
    app.TypeInto(IDC_G_HEX, "ab");
    WaitForChannels(app, 255, 171, 255);
    CHECK_EQ("after \"ab\"", ChannelsShownFor(255, 171, 255), app.ChannelsShown());

    TypeText("c");
    CHECK_EQ("a third character is refused", ChannelsShownFor(255, 171, 255), app.ChannelsShown());
}

TEST_CASE(slider_moves_set_the_value_but_home_end_and_end_of_drag_do_not) {
    Pikurio app;
    // A drag to the bottom: red 0, the thumb left where it was put.
    app.Send(IDC_R_SLIDER, TBM_SETPOS, TRUE, 255);
    SliderNotify(app, IDC_R_SLIDER, TB_THUMBTRACK);
    CHECK_EQ("red slider dragged to the bottom", ChannelsShownFor(0, 255, 255),
             app.ChannelsShown());

    app.Send(IDC_G_SLIDER, TBM_SETPOS, TRUE, 100);
    SliderNotify(app, IDC_G_SLIDER, TB_THUMBTRACK);
    CHECK_EQ("green slider dragged to 100", ChannelsShownFor(0, 155, 255), app.ChannelsShown());

    // Home, End and the end of a drag leave the value where it was.
    const WORD ignored[] = {TB_TOP, TB_BOTTOM, TB_ENDTRACK};
    for (WORD code : ignored) {
        std::string step = "green slider at 200, code " + std::to_string(code);
        app.Send(IDC_G_SLIDER, TBM_SETPOS, TRUE, 200);
        SliderNotify(app, IDC_G_SLIDER, code);
        CHECK_EQ(step + ": label", std::string("155"), app.Text(IDC_G_DEC));
        CHECK_EQ(step + ": code", std::string("#009BFF"), app.Text(IDC_CODE));
        CHECK_EQ(step + ": thumb stays", 200, app.SliderPos(IDC_G_SLIDER));
    }
    // The moving codes other than the drag read the thumb back as well.
    SliderNotify(app, IDC_G_SLIDER, TB_THUMBPOSITION);
    CHECK_EQ("green slider released at 200", std::string("55 #0037FF"),
             app.Text(IDC_G_DEC) + " " + app.Text(IDC_CODE));
}

TEST_CASE(dragging_a_slider_thumb_updates_the_value_all_the_way) {
    Pikurio app;
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
    REQUIRE("a press on the red thumb starts a drag", grab >= 0);
    int middle = app.SliderPos(IDC_R_SLIDER);
    CHECK_EQ("red follows the thumb during the drag", std::to_string(255 - middle),
             app.Text(IDC_R_DEC));
    MoveMouseTo(x, r.bottom + 40);
    WaitUntil([&] { return app.Text(IDC_R_DEC) == "0"; }, 3000);
    MouseButton(false, false);
    CHECK_EQ("red dragged past the bottom", ChannelsShownFor(0, 255, 255), app.ChannelsShown());
}

TEST_CASE(slider_keys_move_by_one_and_home_end_move_only_the_thumb) {
    Pikurio app;
    app.Activate();
    HWND slider = app.Item(IDC_B_SLIDER);
    POINT center = CenterOf(slider);
    ClickAt(center.x, center.y);  // focuses the slider; it may page the thumb too
    WaitUntil([&] { return app.FocusedWindow() == slider; }, 3000);
    REQUIRE_EQ("focus after a click on the blue slider", (const void*)slider,
               (const void*)app.FocusedWindow());
    int position = app.SliderPos(IDC_B_SLIDER);
    int value = 255 - position;
    CHECK_EQ("blue label after the click", std::to_string(value), app.Text(IDC_B_DEC));

    PressKey(VK_DOWN);
    WaitUntil([&] { return app.Text(IDC_B_DEC) == std::to_string(value - 1); }, 3000);
    CHECK_EQ("after Down", ChannelsShownFor(255, 255, value - 1), app.ChannelsShown());

    PressKey(VK_UP);
    PressKey(VK_UP);
    WaitUntil([&] { return app.Text(IDC_B_DEC) == std::to_string(value + 1); }, 3000);
    CHECK_EQ("after Up twice", ChannelsShownFor(255, 255, value + 1), app.ChannelsShown());

    PressKey(VK_END);
    WaitUntil([&] { return app.SliderPos(IDC_B_SLIDER) == 255; }, 3000);
    CHECK_EQ("End moves the thumb to the bottom", 255, app.SliderPos(IDC_B_SLIDER));
    CHECK_EQ("End leaves the value", std::to_string(value + 1), app.Text(IDC_B_DEC));
    PressKey(VK_HOME);
    WaitUntil([&] { return app.SliderPos(IDC_B_SLIDER) == 0; }, 3000);
    CHECK_EQ("Home moves the thumb to the top", 0, app.SliderPos(IDC_B_SLIDER));
    CHECK_EQ("Home leaves the value", std::to_string(value + 1), app.Text(IDC_B_DEC));
}

TEST_CASE(up_down_arrows_step_the_value_by_one) {
    Pikurio app;
    app.Activate();
    app.TypeInto(IDC_R_HEX, "64");
    RequireChannels(app, "red 100 typed as \"64\"", 100, 255, 255);

    RECT r;
    GetWindowRect(app.Item(IDC_R_SPIN), &r);
    int x = (r.left + r.right) / 2;
    ClickAt(x, r.top + (r.bottom - r.top) / 4);
    WaitForChannels(app, 101, 255, 255);
    CHECK_EQ("after the up arrow", ChannelsShownFor(101, 255, 255), app.ChannelsShown());

    ClickAt(x, r.bottom - (r.bottom - r.top) / 4);
    ClickAt(x, r.bottom - (r.bottom - r.top) / 4);
    WaitForChannels(app, 99, 255, 255);
    CHECK_EQ("after the down arrow twice", ChannelsShownFor(99, 255, 255), app.ChannelsShown());
}

TEST_CASE(target_combo_loads_each_slot_and_slots_keep_their_colours) {
    Pikurio app;
    app.SelectCombo(IDC_TARGET, 2);
    CHECK_EQ("text 2 loaded", ChannelsShownFor(0, 255, 0), app.ChannelsShown());

    // A change while text 2 is current belongs to text 2 alone.
    app.SetText(IDC_B_HEX, "80");
    CHECK_EQ("text 2 changed", ChannelsShownFor(0, 255, 0x80), app.ChannelsShown());

    struct Expected {
        int slot;
        int red, green, blue;
    };
    const Expected slots[] = {
        {0, 255, 255, 255}, {2, 0, 255, 0x80}, {1, 255, 0, 0}, {3, 0, 0, 255}, {2, 0, 255, 0x80},
    };
    for (const Expected& e : slots) {
        app.SelectCombo(IDC_TARGET, e.slot);
        CHECK_EQ("slot " + std::to_string(e.slot) + " loaded",
                 ChannelsShownFor(e.red, e.green, e.blue), app.ChannelsShown());
    }
    CHECK_EQ("target combo keeps the selection", 2, (int)app.Send(IDC_TARGET, CB_GETCURSEL));
}

TEST_CASE(copy_puts_the_colour_code_on_the_clipboard) {
    Pikurio app;
    app.Activate();
    app.TypeInto(IDC_R_HEX, "12");
    app.TypeInto(IDC_G_HEX, "34");
    app.TypeInto(IDC_B_HEX, "56");
    RequireChannels(app, "18/52/86 typed", 0x12, 0x34, 0x56);
    PutClipboardText("not a colour");
    POINT copy = CenterOf(app.Item(IDC_COPY));

    // While another program holds the clipboard open, a copy leaves it alone.
    // Held with a window: Wine lets a second OpenClipboard(NULL) in while the
    // clipboard is open without an owner window, whichever thread holds it.
    ColorWindow holder(RGB(0, 0, 0), 1000, 740, 8, 8);
    REQUIRE("hold the clipboard open", OpenClipboard(holder.Handle()));
    ClickAt(copy.x, copy.y);
    Settle(300);
    CloseClipboard();
    std::string text;
    CHECK("clipboard after a copy while it was held: " + Quote(text),
          ReadClipboardText(&text) && text == "not a colour");
    CHECK("the dialog answers after the failed copy", app.Responds());

    ClickAt(copy.x, copy.y);
    WaitUntil([&] { return ReadClipboardText(&text) && text == "#123456"; }, 3000);
    CHECK_EQ("clipboard text", std::string("#123456"), text);

    // The click left the focus on the copy button: Enter copies again.
    app.SetText(IDC_R_HEX, "AB");
    RequireChannels(app, "red set to AB", 0xAB, 0x34, 0x56);
    PressKey(VK_RETURN);
    WaitUntil([&] { return ReadClipboardText(&text) && text == "#AB3456"; }, 3000);
    CHECK_EQ("clipboard after Enter on the copy button", std::string("#AB3456"), text);
}

TEST_CASE(bad_hex_texts_change_nothing) {
    Pikurio app;
    app.SetText(IDC_G_HEX, "7f");
    const std::string before = ChannelsShownFor(255, 0x7F, 255);
    REQUIRE_EQ("green set to 7F", before, app.ChannelsShown());

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
            std::string step = c.name + std::string(" into ") + std::to_string(id);
            app.SetText(id, c.text.c_str());
            CHECK(step + ": the dialog answers", app.Responds());
            CHECK_EQ(step + ": text left as given", c.text, app.Text(id));
            std::string model = app.Text(IDC_CODE) + " " + app.Text(IDC_R_DEC) + " " +
                                app.Text(IDC_G_DEC) + " " + app.Text(IDC_B_DEC);
            CHECK_EQ(step + ": model", std::string("#FF7FFF 255 127 255"), model);
            app.SetText(id, id == IDC_G_HEX ? "7F" : "FF");  // back to the whole state
        }
    }
    CHECK_EQ("state at the end", before, app.ChannelsShown());
}
