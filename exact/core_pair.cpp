#include "exact/core_pair.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace strativex::exact {
namespace {

// Pieces a shared loop is cut into: enough that a thread that comes late or runs slow leaves
// little for the other to wait for, few enough that claiming them costs nothing measurable.
constexpr std::size_t kPieces = 16;
// How long a thread spins for the other before it sleeps: longer than the conjugate
// gradients' work between two cycles, whose product it shares too, so that it is awake for
// the next cycle's first sweep; it yields the core between its reads of the clock, so the
// machine's other threads lose little to it. Only a thread left idle for longer sleeps.
constexpr std::chrono::microseconds kSpin{5000};
constexpr int kSpinsBetweenClockReads = 64;

// The state's two low bits.
constexpr std::uint64_t kOpen = 0, kJoined = 1, kClosed = 2, kStop = 3;

std::uint64_t Pack(std::uint64_t generation, std::uint64_t phase) {
    return generation << 2 | phase;
}
std::uint64_t GenerationOf(std::uint64_t state) {
    return state >> 2;
}
std::uint64_t PhaseOf(std::uint64_t state) {
    return state & 3;
}

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Whether `ready` came true within the spin. The spinning thread yields between its reads of
// the clock, so that other runnable threads (the transient steps two grids, each with a pair
// of its own; the window's interface thread) get the core it would only be spinning on.
template <typename Ready>
bool SpinUntil(const Ready& ready) {
    const auto deadline = std::chrono::steady_clock::now() + kSpin;
    for (;;) {
        for (int n = 0; n < kSpinsBetweenClockReads; ++n) {
            if (ready()) return true;
            Pause();
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::yield();
    }
}

}  // namespace

int CorePair::CoresAvailable() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 2u));
}

CorePair::CorePair(int threads) : threads_(std::clamp(threads, 1, 2)), state_(Pack(0, kClosed)) {}

CorePair::CorePair(const CorePair& other) : CorePair(other.threads_) {}

CorePair& CorePair::operator=(const CorePair& other) {
    threads_ = other.threads_;
    return *this;
}

CorePair::~CorePair() {
    Stop();
}

void CorePair::SetThreads(int threads) {
    threads_ = std::clamp(threads, 1, 2);
}

void CorePair::Share(std::size_t from, std::size_t to, PartCall call, const void* part) {
    if (!worker_.joinable()) {
        try {
            worker_ = std::thread([this] { Work(); });
        } catch (const std::system_error&) {
            // No thread to be had: the loop is as right on one.
            threads_ = 1;
            call(part, from, to);
            return;
        }
    }
    const std::size_t pieceSize = (to - from + kPieces - 1) / kPieces;
    loop_ = {call, part, from, to, pieceSize};
    pieces_.store((to - from + pieceSize - 1) / pieceSize, std::memory_order_relaxed);
    const std::uint64_t generation = ++generation_;
    {
        std::lock_guard lock(mutex_);
        state_.store(Pack(generation, kOpen), std::memory_order_release);
    }
    posted_.notify_one();
    std::exception_ptr error = RunPieces(true);
    // Closing a loop the worker has not joined yet spares waiting for a thread that may not even
    // be running; once it has joined, its pieces must be done before the loop's data goes.
    std::uint64_t open = Pack(generation, kOpen);
    if (!state_.compare_exchange_strong(open, Pack(generation, kClosed),
                                        std::memory_order_acq_rel)) {
        AwaitWorker(generation);
        if (!error) error = workerError_;
        workerError_ = nullptr;
    }
    if (error) std::rethrow_exception(error);
}

// The caller works from the front of the range and the worker from its back, so that each
// keeps to the same half of the data from one loop to the next, in its own core's cache; where
// one is late, the other takes over its pieces.
std::exception_ptr CorePair::RunPieces(bool fromFront) {
    const Loop loop = loop_;
    try {
        std::uint64_t pieces = pieces_.load(std::memory_order_relaxed);
        for (;;) {
            const std::uint64_t front = pieces >> 32, back = pieces & 0xffffffffu;
            if (front >= back) return nullptr;
            const std::uint64_t claimed = fromFront ? front : back - 1;
            const std::uint64_t rest = fromFront ? (front + 1) << 32 | back : front << 32 | claimed;
            if (!pieces_.compare_exchange_weak(pieces, rest, std::memory_order_relaxed)) continue;
            const std::size_t first = loop.From + claimed * loop.PieceSize;
            loop.Call(loop.Part, first, std::min(first + loop.PieceSize, loop.To));
            pieces = pieces_.load(std::memory_order_relaxed);
        }
    } catch (...) {
        return std::current_exception();
    }
}

void CorePair::AwaitWorker(std::uint64_t generation) {
    const auto finished = [&] { return finished_.load(std::memory_order_acquire) == generation; };
    if (SpinUntil(finished)) return;
    std::unique_lock lock(mutex_);
    done_.wait(lock, finished);
}

// The state of the first loop after `seen`, or of the end.
std::uint64_t CorePair::AwaitLoop(std::uint64_t seen) {
    const auto posted = [&] {
        return GenerationOf(state_.load(std::memory_order_acquire)) != seen;
    };
    if (!SpinUntil(posted)) {
        std::unique_lock lock(mutex_);
        posted_.wait(lock, posted);
    }
    return state_.load(std::memory_order_acquire);
}

void CorePair::Work() {
    std::uint64_t seen = 0;
    for (;;) {
        const std::uint64_t state = AwaitLoop(seen);
        if (PhaseOf(state) == kStop) return;
        seen = GenerationOf(state);
        std::uint64_t open = Pack(seen, kOpen);
        if (!state_.compare_exchange_strong(open, Pack(seen, kJoined), std::memory_order_acq_rel)) {
            continue;
        }
        workerError_ = RunPieces(false);
        {
            std::lock_guard lock(mutex_);
            finished_.store(seen, std::memory_order_release);
        }
        done_.notify_one();
    }
}

void CorePair::Stop() {
    if (!worker_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        state_.store(Pack(generation_ + 1, kStop), std::memory_order_release);
    }
    posted_.notify_one();
    worker_.join();
}

}  // namespace strativex::exact
