#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

namespace tavomerix {

// One value per year of a fixed range, each built on first use and kept for the cache's
// lifetime (a returned pointer stays valid as long as the cache). Safe to use from several
// threads at once: a filled slot is read without a lock; a value is stored once, under a
// mutex, and published with a release store. Two threads that miss the same year may both
// build it; the first to store wins and the other's value is dropped, so `build` must be a
// pure function of the year. Storage is allocated in pages as years are touched.
template <class T>
class YearCache {
public:
    YearCache(int firstYear, int lastYear)
        : first_(firstYear),
          last_(lastYear),
          pages_(std::make_unique<std::atomic<Page*>[]>(
              static_cast<std::size_t>((lastYear - firstYear) / PageYears + 1))) {}

    ~YearCache() {
        for (int i = 0; i <= (last_ - first_) / PageYears; ++i) delete pages_[i].load();
    }

    YearCache(const YearCache&) = delete;
    YearCache& operator=(const YearCache&) = delete;

    bool inRange(int year) const { return year >= first_ && year <= last_; }

    // The value of a year, from build(year) on first use; nullptr outside the range.
    template <class Build>
    const T* get(int year, Build&& build) const {
        if (!inRange(year)) return nullptr;
        Slot& slot = slotOf(year);
        if (!slot.filled.load(std::memory_order_acquire)) store(slot, build(year));
        return &slot.value;
    }

    // True when the year's value is already built.
    bool has(int year) const {
        return inRange(year) && slotOf(year).filled.load(std::memory_order_acquire);
    }

    // Stores a value built elsewhere (by build(year) as get would), unless one is stored.
    void put(int year, T value) const {
        if (inRange(year)) store(slotOf(year), std::move(value));
    }

private:
    static constexpr int PageYears = 128;
    struct Slot {
        T value{};
        std::atomic<bool> filled{false};
    };
    struct Page {
        Slot slots[PageYears];
    };

    Slot& slotOf(int year) const {
        const int index = year - first_;
        std::atomic<Page*>& page = pages_[index / PageYears];
        Page* p = page.load(std::memory_order_acquire);
        if (p == nullptr) {
            const std::lock_guard<std::mutex> lock(mutex_);
            p = page.load(std::memory_order_relaxed);
            if (p == nullptr) {
                p = new Page;
                page.store(p, std::memory_order_release);
            }
        }
        return p->slots[index % PageYears];
    }

    void store(Slot& slot, T&& value) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (slot.filled.load(std::memory_order_relaxed)) return;
        slot.value = std::move(value);
        slot.filled.store(true, std::memory_order_release);
    }

    int first_;
    int last_;
    std::unique_ptr<std::atomic<Page*>[]> pages_;
    mutable std::mutex mutex_;
};

}  // namespace tavomerix
