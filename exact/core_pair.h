#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

namespace strativex::exact {

// Shares a loop between the calling thread and one worker thread of its own, for loops whose
// iterations are independent and stream memory: on a machine with two cores, one core seldom
// uses all of the memory's bandwidth. The range is cut into pieces, claimed by the caller
// from the front and by the worker from the back until they meet, so uneven pieces and a
// worker that the system is slow to wake (the machine is shared) cost little; the loop must
// compute the same whichever thread runs a piece. The worker starts on the first shared loop,
// spins for a while after each (in a multigrid cycle the next one follows within
// microseconds, far sooner than a sleeping thread wakes) and then sleeps.
class CorePair {
public:
    // The cores there are, at most two; one where the system does not say.
    static int CoresAvailable();
    // Loops over grids of fewer cells are best run on the calling thread: handing half of one
    // to the other core costs about what it saves.
    static constexpr std::size_t kLeastSharedCells = 4096;

    explicit CorePair(int threads = CoresAvailable());
    // A copy shares nothing: it gets a worker of its own once it needs one.
    CorePair(const CorePair& other);
    CorePair& operator=(const CorePair& other);
    ~CorePair();

    int Threads() const { return threads_; }
    // 1 runs every loop on the calling thread; 2 shares them.
    void SetThreads(int threads);

    // Calls part(first, last) on pieces that cover [from, to) once, and returns when all of
    // them are done. An exception thrown by a piece on either thread is thrown here, after
    // the other thread has let go of the loop.
    template <typename Part>
    void Run(std::size_t from, std::size_t to, const Part& part) {
        if (threads_ < 2 || to - from < 2) {
            part(from, to);
            return;
        }
        Share(
            from, to,
            [](const void* loop, std::size_t first, std::size_t last) {
                (*static_cast<const Part*>(loop))(first, last);
            },
            &part);
    }

private:
    using PartCall = void (*)(const void* part, std::size_t first, std::size_t last);

    struct Loop {
        PartCall Call = nullptr;
        const void* Part = nullptr;
        std::size_t From = 0, To = 0, PieceSize = 1;
    };

    void Share(std::size_t from, std::size_t to, PartCall call, const void* part);
    std::exception_ptr RunPieces(bool fromFront);
    void AwaitWorker(std::uint64_t generation);
    std::uint64_t AwaitLoop(std::uint64_t seen);
    void Work();
    void Stop();

    int threads_;
    Loop loop_;
    std::uint64_t generation_ = 0;
    // The loop's generation and whether the worker joined it, the caller closed it before the
    // worker came, or the worker is to end: the worker may touch the loop only once it joined.
    std::atomic<std::uint64_t> state_;
    std::atomic<std::uint64_t> finished_{0};
    // The pieces not yet claimed: the first from the front, above 32 bits, and one past the last.
    std::atomic<std::uint64_t> pieces_{0};
    std::exception_ptr workerError_;
    std::mutex mutex_;
    std::condition_variable posted_, done_;
    std::thread worker_;
};

}  // namespace strativex::exact
