#pragma once

#include "progress.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace platform {

// Makes the results of items 0..count-1 on worker threads and hands them to
// the caller's thread in item order, so a run can decode and convert the next
// items while it writes or shows the current one. At most `ahead` items are
// being made or wait to be taken at a time, counting the one taken next, so
// the memory they hold stays bounded however many items there are.
// `make` runs on the workers, several at once, and must not throw. Going away
// lets the workers finish the items they are making; the others are never
// made.
template <typename Result>
class OrderedWork {
public:
    using Make = std::function<Result(size_t index)>;

    OrderedWork(size_t count, Make make, int threads, size_t ahead)
        : m_count(count), m_make(std::move(make)), m_ahead(std::max<size_t>(ahead, 1))
    {
        m_slots.resize(std::max<size_t>(std::min(m_ahead, count), 1));
        threads = int(std::min<size_t>(size_t(std::max(threads, 1)), std::min(m_ahead, count)));
        for (int i = 0; i < threads; ++i)
            m_threads.emplace_back([this] { work(); });
    }

    ~OrderedWork()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        for (std::thread &t : m_threads)
            t.join();
    }

    OrderedWork(const OrderedWork &) = delete;
    OrderedWork &operator=(const OrderedWork &) = delete;

    // The result of the next item, waited for when it is not made yet. While
    // waiting, `progress` (when given) keeps its window alive.
    Result takeNext(Progress *progress = nullptr)
    {
        std::unique_lock lock(m_mutex);
        std::optional<Result> &slot = m_slots[m_taken % m_slots.size()];
        while (!slot) {
            if (progress) {
                m_changed.wait_for(lock, std::chrono::milliseconds(30));
                lock.unlock();
                progress->processEvents();
                lock.lock();
            } else {
                m_changed.wait(lock);
            }
        }
        Result result = std::move(*slot);
        slot.reset();
        ++m_taken;
        lock.unlock();
        // A slot came free: a worker may start the next item.
        m_changed.notify_all();
        return result;
    }

private:
    void work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || m_next >= m_count || m_next < m_taken + m_ahead; });
            if (m_stop || m_next >= m_count)
                return;
            const size_t index = m_next++;
            lock.unlock();
            Result result = m_make(index);
            lock.lock();
            m_slots[index % m_slots.size()] = std::move(result);
            m_changed.notify_all();
        }
    }

    const size_t m_count;
    const Make m_make;
    const size_t m_ahead;
    // Item i waits in slot i % size until it is taken; no two items in the
    // window share a slot.
    std::vector<std::optional<Result>> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_next = 0;  // the next item a worker starts
    size_t m_taken = 0; // items taken so far
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

} // namespace platform
