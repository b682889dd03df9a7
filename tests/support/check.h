// The Windows test kit's checks and test runner, shared by the end-to-end
// program and the soak. A check names its step first, then what it compares:
// CHECK(step, condition), CHECK_EQ(step, expected, actual); the REQUIRE forms
// end the test when they fail. Each test is registered with TEST_CASE, and a
// test program's main is RunTests: `program --list` prints the names that
// the build registers with ctest, `program name ...` runs those tests.
#ifndef PIKURIO_TESTS_SUPPORT_CHECK_H
#define PIKURIO_TESTS_SUPPORT_CHECK_H

#include <windows.h>

#include <stdint.h>

#include <functional>
#include <string>

using TestFunction = void (*)();

struct TestRegistrar {
    TestRegistrar(const char* name, TestFunction function);
};

// Defines a test; ctest runs each in a fresh process, and one whose name ends
// in _16bpp on the 16-bit screen.
#define TEST_CASE(name)                                 \
    static void name();                                 \
    static TestRegistrar name##_registrar(#name, name); \
    static void name()

// Runs the tests the arguments name, or all of them; 0 when every one passed.
int RunTests(int argc, char** argv);

// Records a failure of the current test, naming the step; the test goes on.
void RecordFailure(const char* file, int line, const std::string& message);
// Thrown by REQUIRE: the test cannot go on.
struct TestAbort {};

std::string Quote(const std::string& text);
std::string Hex(unsigned long long value);
std::string Describe(const std::string& value);
std::string Describe(const char* value);
std::string Describe(long long value);
inline std::string Describe(int value) { return Describe((long long)value); }
inline std::string Describe(long value) { return Describe((long long)value); }
inline std::string Describe(unsigned value) { return Describe((long long)value); }
inline std::string Describe(unsigned long value) { return Describe((long long)value); }
inline std::string Describe(bool value) { return value ? "true" : "false"; }
inline std::string Describe(const void* value) { return Hex((unsigned long long)(uintptr_t)value); }

// What the four checks below share: on a failure, record it, then do onFailure.
#define CHECK_AND(step, condition, onFailure)                                       \
    do {                                                                            \
        if (!(condition)) {                                                         \
            RecordFailure(__FILE__, __LINE__, std::string(step) + ": " #condition); \
            onFailure;                                                              \
        }                                                                           \
    } while (0)

#define CHECK_EQ_AND(step, expected, actual, onFailure)                                            \
    do {                                                                                           \
        auto checkExpected = (expected);                                                           \
        auto checkActual = (actual);                                                               \
        if (!(checkExpected == checkActual)) {                                                     \
            RecordFailure(__FILE__, __LINE__,                                                      \
                          std::string(step) + ": expected " + Describe(checkExpected) + ", got " + \
                              Describe(checkActual));                                              \
            onFailure;                                                                             \
        }                                                                                          \
    } while (0)

#define CHECK(step, condition) CHECK_AND(step, condition, (void)0)
#define CHECK_EQ(step, expected, actual) CHECK_EQ_AND(step, expected, actual, (void)0)
// For a state the rest of the test builds on: a failure ends the test.
#define REQUIRE(step, condition) CHECK_AND(step, condition, throw TestAbort())
#define REQUIRE_EQ(step, expected, actual) CHECK_EQ_AND(step, expected, actual, throw TestAbort())

// Polls condition every few milliseconds, handling this thread's messages,
// until it holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Lets both processes handle what is queued: a short, bounded pause.
void Settle(DWORD ms = 100);

#endif
