#include <QtTest>

#include <sys/resource.h>

#include <cstdlib>
#include <vector>

#include "exact/retained_memory.h"

using namespace strativex;

namespace {

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Arrays of a large check's size, touched, then all freed. What they add up to is kept, so
// that the compiler cannot leave them out.
volatile double kept = 0.0;

void AllocateAndFree() {
    constexpr int kBlocks = 16;
    constexpr std::size_t kValues = std::size_t{1} << 18;  // 2 MB each
    std::vector<std::vector<double>> blocks;
    for (int k = 0; k < kBlocks; ++k) blocks.emplace_back(kValues, 1.0 + k);
    for (const std::vector<double>& block : blocks) kept = kept + block[kValues / 2];
}

constexpr long kPagesPerRound = 16 * 512;

}  // namespace

class RetainedMemoryTest : public QObject {
    Q_OBJECT

private slots:
    // Once memory is retained, a check's arrays freed and allocated again come from what the
    // process holds: a third round touches next to no new page. Left to the C library's
    // defaults, every round faults in all of its pages again.
    void freedArraysAreReusedWithoutPageFaults() {
#if !defined(__GLIBC__)
        QSKIP("Freed memory is retained with the GNU C library only.");
#endif
        exact::RetainFreedMemory();
        AllocateAndFree();
        AllocateAndFree();
        const long before = MinorFaults();
        AllocateAndFree();
        const long faults = MinorFaults() - before;
        QVERIFY2(faults < kPagesPerRound / 4, qPrintable(QString::number(faults)));
    }
};

QTEST_GUILESS_MAIN(RetainedMemoryTest)
#include "test_retained_memory.moc"
