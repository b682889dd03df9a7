// The control operations of the colour model, bound to a recorder instead of
// the dialog's controls, so that a test can compare what the model did to the
// controls, in order, as one sequence. The unit tests and the fuzz targets
// share it; each reads the sequence its own way.
#ifndef PIKURIO_TESTS_RECORDER_H
#define PIKURIO_TESTS_RECORDER_H

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

#endif
