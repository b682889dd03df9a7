// The control operations of the colour model, bound to a recorder instead of
// the dialog's controls, so that a test can compare what the model did to the
// controls, in order, as one sequence.
#ifndef PIKURIO_TESTS_RECORDER_H
#define PIKURIO_TESTS_RECORDER_H

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/app_state.h"

enum class OpKind { HexText, DecText, CodeText, SliderPos, Repaint, EchoTooDeep };

// One recorded call; fields an operation does not have stay at their defaults.
struct ControlOp {
    OpKind kind;
    int channel = -1;
    std::string text;
    int position = -1;
};

bool operator==(const ControlOp& a, const ControlOp& b);
void PrintTo(const ControlOp& op, std::ostream* os);

ControlOp HexText(int channel, const char* text);
ControlOp DecText(int channel, const char* text);
ControlOp CodeText(const char* text);
ControlOp SliderPos(int channel, int position);
ControlOp Repaint();

const std::vector<ControlOp>& RecordedOps();
// The recorded operations of one kind, in order.
std::vector<ControlOp> RecordedOps(OpKind kind);
// How many hex-edit texts were echoed back into ApplyTypedHex.
int EchoCount();
void ClearRecording();

// A non-null handle that stands for a window that exists.
HWND FakeWindow();

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

#endif
