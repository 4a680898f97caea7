// Checks of a large graph run as two halves at once: a check reads memory at random, and the
// second core halves the wait. The result is the one a single pass in order would give.
#pragma once

#include <exception>
#include <string>
#include <system_error>
#include <thread>

// Below this many items a second thread costs more than it saves.
inline constexpr int kItemsWorthASecondThread = 1 << 16;

// Runs `here` on this thread and `beside` on another at once, or one after the other when no
// thread can be had (a limit on processes); an exception from either reaches the caller.
template <class Here, class Beside> void RunBoth(const Here& here, const Beside& beside) {
    std::exception_ptr besideFailed;
    std::jthread worker;
    try {
        worker = std::jthread([&] {
            try {
                beside();
            } catch (...) {
                besideFailed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        here();
        beside();
        return;
    }
    here();
    worker.join();
    if (besideFailed) {
        std::rethrow_exception(besideFailed);
    }
}

// Runs part(begin, end) over [0, count), the two halves at once for a large count. A part
// returns the first problem in its range, or nothing; the first problem of the whole range is
// returned. A part may run on another thread: it may write only what belongs to its range.
template <class Part> std::string InHalves(int count, const Part& part) {
    if (count < kItemsWorthASecondThread) {
        return part(0, count);
    }
    const int middle = count / 2;
    std::string first;
    std::string second;
    RunBoth([&] { first = part(0, middle); }, [&] { second = part(middle, count); });
    return first.empty() ? second : first;
}
