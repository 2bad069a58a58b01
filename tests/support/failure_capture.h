#pragma once
// Tests observe the program's failures as exceptions: while a FailureCapture lives, Fail throws
// what the program's handler would have shown in the fatal box.
#include <gtest/gtest.h>

#include <string>

#include "runtime/failure.h"

struct Failure {
    std::string kind, message;
};

class FailureCapture {
public:
    FailureCapture() : previous_(SetFailureHandler(Throw)) {}
    ~FailureCapture() { SetFailureHandler(previous_); }
    FailureCapture(const FailureCapture&) = delete;
    FailureCapture& operator=(const FailureCapture&) = delete;

private:
    static void Throw(const char* kind, const std::string& message, const void*) { throw Failure{kind, message}; }
    FailureHandler previous_;
};

// The statement must fail with this kind and message text.
#define EXPECT_FAILURE(statement, expectedKind, expectedText)                \
    do {                                                                     \
        FailureCapture capture_;                                             \
        try {                                                                \
            statement;                                                       \
            ADD_FAILURE() << "no failure from " #statement;                  \
        } catch (const Failure& failure_) {                                  \
            EXPECT_EQ(failure_.kind, std::string(expectedKind));             \
            EXPECT_EQ(failure_.message, std::string(expectedText));          \
        }                                                                    \
    } while (0)
