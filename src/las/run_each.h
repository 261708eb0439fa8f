#pragma once
// Runs work(i) for i in [0, n), each in a thread of its own (the calling
// thread takes 0), and rethrows the first exception once all have ended.
// When no thread is to be had, the rest run in the calling thread.

#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

template <typename Work>
void RunEach(std::size_t n, const Work& work)
{
    std::vector<std::exception_ptr> errors(n);
    auto guarded = [&](std::size_t i) {
        try {
            work(i);
        } catch (...) {
            errors[i] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(n);
    try {
        for (std::size_t i = 1; i < n; ++i)
            threads.emplace_back(guarded, i);
    } catch (...) {
        for (std::size_t i = threads.size() + 1; i < n; ++i)
            guarded(i);
    }
    if (n > 0)
        guarded(0);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
}
