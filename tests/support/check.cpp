#include "tests/support/check.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

struct RegisteredTest {
    const char* name;
    TestFunction function;
};

std::vector<RegisteredTest>& Registry() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

int g_failures = 0;

bool RunTest(const RegisteredTest& test) {
    printf("[ RUN  ] %s\n", test.name);
    fflush(stdout);
    int failuresBefore = g_failures;
    try {
        test.function();
    } catch (const TestAbort&) {
    }
    bool passed = g_failures == failuresBefore;
    printf("[ %s ] %s\n", passed ? "PASS" : "FAIL", test.name);
    fflush(stdout);
    return passed;
}

void PumpOwnMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

TestRegistrar::TestRegistrar(const char* name, TestFunction function) {
    Registry().push_back({name, function});
}

int RunTests(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--list") == 0) {
        for (const RegisteredTest& test : Registry()) printf("%s\n", test.name);
        return 0;
    }
    int failed = 0;
    int ran = 0;
    for (const RegisteredTest& test : Registry()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            if (strcmp(argv[i], test.name) == 0) wanted = true;
        if (!wanted) continue;
        ++ran;
        if (!RunTest(test)) ++failed;
    }
    if (ran == 0) {
        printf("no test matched\n");
        return 2;
    }
    return failed ? 1 : 0;
}

void RecordFailure(const char* file, int line, const std::string& message) {
    ++g_failures;
    const char* base = strrchr(file, '/');
    printf("  FAILED at %s:%d: %s\n", base ? base + 1 : file, line, message.c_str());
    fflush(stdout);
}

std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"') {
            quoted += (char)c;
        } else {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            quoted += escaped;
        }
    }
    return quoted + "\"";
}

std::string Hex(unsigned long long value) {
    char text[24];
    snprintf(text, sizeof text, "0x%06llX", value);
    return text;
}

std::string Describe(const std::string& value) { return Quote(value); }
std::string Describe(const char* value) { return value ? Quote(value) : "(null)"; }
std::string Describe(long long value) {
    char text[48];
    snprintf(text, sizeof text, "%lld (0x%llX)", value, value);
    return text;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpOwnMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}

void Settle(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpOwnMessages();
        Sleep(5);
    }
}
