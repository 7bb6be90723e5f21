#pragma once

#include <QtTest>

#include <cstdio>

// QCOMPARE on floats is fuzzy; results of the calculation are compared to the last bit.
inline bool SameFloat(float actual, float expected, const char* actualText, const char* file,
                      int line) {
    if (actual == expected) return true;
    char message[160];
    std::snprintf(message, sizeof message, "%s is %.9g, expected %.9g", actualText,
                  static_cast<double>(actual), static_cast<double>(expected));
    QTest::qFail(message, file, line);
    return false;
}

#define COMPARE_FLOAT(actual, expected)                                            \
    do {                                                                           \
        if (!SameFloat((actual), (expected), #actual, __FILE__, __LINE__)) return; \
    } while (false)
