// Waiting in a test, always within a bound: a short pause that lets both
// processes handle what is queued, a wait for a condition, and the polling
// assertion for "this becomes true soon":
//   EXPECT_SOON(expected, actual) << "step";   ASSERT_SOON(...) ends the test
// reads actual again and again, handling this thread's messages in between,
// until it equals expected or SOON_MS pass; a failure shows the expression,
// expected and the last value read. EXPECT_SOON_WITHIN(ms, ...) sets another bound;
// Becomes(...) is the same wait for a helper that returns its result.
#ifndef PIKURIO_TESTS_SUPPORT_WAIT_H
#define PIKURIO_TESTS_SUPPORT_WAIT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Polls condition every few milliseconds, handling this thread's messages,
// until it holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Lets both processes handle what is queued: a short, bounded pause.
void Settle(DWORD ms = 100);

const DWORD SOON_MS = 3000;

// What EXPECT_SOON reads: the expression as written, and a function reading it.
template <typename Read>
struct Reading {
    const char* text;
    Read read;
};
template <typename Read>
Reading<Read> MakeReading(const char* text, Read read) {
    return {text, read};
}

// The wait of EXPECT_SOON as a result, for a helper that returns one: the
// reading equals expected within timeoutMs, or a failure naming what was read.
template <typename Expected, typename Read>
::testing::AssertionResult Becomes(const Expected& expected, const Reading<Read>& reading,
                                   DWORD timeoutMs = SOON_MS) {
    decltype(reading.read()) actual{};
    if (WaitUntil([&] { return (actual = reading.read()) == expected; }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << reading.text << " did not become " << ::testing::PrintToString(expected) << " within "
           << timeoutMs << " ms; last read " << ::testing::PrintToString(actual);
}

// The predicate-format of EXPECT_SOON.
template <DWORD timeoutMs, typename Expected, typename Read>
::testing::AssertionResult BecomesEqual(const char*, const char*, const Expected& expected,
                                        const Reading<Read>& reading) {
    return Becomes(expected, reading, timeoutMs);
}

#define PIKURIO_SOON_(assertion, ms, expected, text, actual) \
    assertion(BecomesEqual<ms>, expected, MakeReading(text, [&] { return (actual); }))
#define EXPECT_SOON(expected, actual) \
    PIKURIO_SOON_(EXPECT_PRED_FORMAT2, SOON_MS, expected, #actual, actual)
#define ASSERT_SOON(expected, actual) \
    PIKURIO_SOON_(ASSERT_PRED_FORMAT2, SOON_MS, expected, #actual, actual)
#define EXPECT_SOON_WITHIN(ms, expected, actual) \
    PIKURIO_SOON_(EXPECT_PRED_FORMAT2, ms, expected, #actual, actual)

#endif
