#pragma once

#include <QtTest>

#include <cmath>
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

// Numerical results against exact ones, within a stated tolerance.
inline bool WithinTolerance(double actual, double expected, double tolerance) {
    return std::fabs(actual - expected) <= tolerance;
}

#define VERIFY_NEAR(actual, expected, tolerance)                      \
    QVERIFY2(WithinTolerance((actual), (expected), (tolerance)),      \
             qPrintable(QStringLiteral("%1 is %2, expected %3 +- %4") \
                            .arg(#actual)                             \
                            .arg((actual), 0, 'g', 9)                 \
                            .arg((expected), 0, 'g', 9)               \
                            .arg((tolerance), 0, 'g', 3)))
