#include "tests/unit/recorder.h"

#include "core/color_model.h"
#include "core/control_ops.h"

namespace {

std::vector<ControlOp> g_ops;
int g_echoCount = 0;
int g_hexNesting = 0;

// Deep enough for any legitimate echo; a model that parses its own texts back
// in would otherwise recurse until the stack runs out.
const int MAX_HEX_NESTING = 4;

const char* KindName(OpKind kind) {
    switch (kind) {
    case OpKind::HexText:
        return "HexText";
    case OpKind::DecText:
        return "DecText";
    case OpKind::CodeText:
        return "CodeText";
    case OpKind::SliderPos:
        return "SliderPos";
    case OpKind::Repaint:
        return "Repaint";
    case OpKind::EchoTooDeep:
        return "EchoTooDeep";
    }
    return "?";
}

const char* ChannelName(int channel) {
    static const char* const names[] = {"red", "green", "blue"};
    return channel >= 0 && channel < CHANNEL_COUNT ? names[channel] : "?";
}

}  // namespace

bool operator==(const ControlOp& a, const ControlOp& b) {
    return a.kind == b.kind && a.channel == b.channel && a.text == b.text &&
           a.position == b.position;
}

void PrintTo(const ControlOp& op, std::ostream* os) {
    *os << KindName(op.kind) << "(";
    if (op.channel >= 0) *os << ChannelName(op.channel);
    if (!op.text.empty()) *os << (op.channel >= 0 ? ", " : "") << '"' << op.text << '"';
    if (op.position >= 0) *os << ", position " << op.position;
    *os << ")";
}

ControlOp HexText(int channel, const char* text) { return {OpKind::HexText, channel, text, -1}; }
ControlOp DecText(int channel, const char* text) { return {OpKind::DecText, channel, text, -1}; }
ControlOp CodeText(const char* text) { return {OpKind::CodeText, -1, text, -1}; }
ControlOp SliderPos(int channel, int position) {
    return {OpKind::SliderPos, channel, "", position};
}
ControlOp Repaint() { return {OpKind::Repaint, -1, "", -1}; }

const std::vector<ControlOp>& RecordedOps() { return g_ops; }

std::vector<ControlOp> RecordedOps(OpKind kind) {
    std::vector<ControlOp> ops;
    for (const ControlOp& op : g_ops)
        if (op.kind == kind) ops.push_back(op);
    return ops;
}

int EchoCount() { return g_echoCount; }

void ClearRecording() {
    g_ops.clear();
    g_echoCount = 0;
    g_hexNesting = 0;
}

HWND FakeWindow() {
    static char window;
    return reinterpret_cast<HWND>(&window);
}

// Like an edit control, setting the text sends the edit-change notification
// before returning, and the dialog hands the new text to ApplyTypedHex.
void SetChannelHexText(int channel, const char* text) {
    g_ops.push_back(HexText(channel, text));
    if (g_hexNesting >= MAX_HEX_NESTING) {
        g_ops.push_back({OpKind::EchoTooDeep, channel, "", -1});
        return;
    }
    ++g_hexNesting;
    ++g_echoCount;
    ApplyTypedHex(channel, text);
    --g_hexNesting;
}

void SetChannelDecText(int channel, const char* text) { g_ops.push_back(DecText(channel, text)); }

void SetCodeText(const char* text) { g_ops.push_back(CodeText(text)); }

void SetChannelSliderPos(int channel, int position) {
    g_ops.push_back(SliderPos(channel, position));
}

void RepaintPreview() { g_ops.push_back(Repaint()); }
