#pragma once
// Work on a large picture split over the machine's two cores: the second half on a helper thread, the first
// here. Where no thread can be started (the process is at its limit) both halves run here, one after the
// other, instead of ending the program.
#include <system_error>
#include <thread>

namespace morvane {

// Calls work(0, n / 2) and work(n / 2, n), side by side where `worth_a_thread`; each half must touch only
// what its own range names.
template <class Work>
void in_two_halves(int n, bool worth_a_thread, const Work& work) {
    if (!worth_a_thread || n < 2) {
        work(0, n);
        return;
    }
    std::thread helper;
    try {
        helper = std::thread([&work, n] { work(n / 2, n); });
    } catch (const std::system_error&) {
        work(0, n);
        return;
    }
    work(0, n / 2);
    helper.join();
}

}  // namespace morvane
