#include "app/rowworker.h"

#include <cstring>

RowWorker::RowWorker(qsizetype rowBytes, int capacity, Use use)
    : rowBytes_(rowBytes), slots_(capacity), use_(std::move(use)), ring_(size_t(rowBytes) * size_t(capacity)),
      rowOfSlot_(size_t(capacity)), thread_([this] { run(); }) {}

RowWorker::~RowWorker() {
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    filled_.notify_one();
    thread_.join();
}

bool RowWorker::put(int y, const unsigned char* row) {
    {
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [this] { return count_ < slots_ || failure_; });
        if (failure_)
            return false;
    }
    // The slot at head_ is outside the thread's [tail_, tail_ + count_), so it is ours to fill.
    std::memcpy(ring_.data() + qsizetype(head_) * rowBytes_, row, size_t(rowBytes_));
    rowOfSlot_[size_t(head_)] = y;
    {
        const std::lock_guard lock(mutex_);
        head_ = (head_ + 1) % slots_;
        ++count_;
    }
    filled_.notify_one();
    return true;
}

std::optional<QString> RowWorker::finish() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    filled_.notify_one();
    thread_.join();
    return failure_;
}

void RowWorker::run() {
    for (;;) {
        int slot = 0;
        {
            std::unique_lock lock(mutex_);
            filled_.wait(lock, [this] { return count_ > 0 || ending_ || stopping_; });
            if (stopping_ || count_ == 0)
                return;
            slot = tail_;
        }
        std::optional<QString> failure;
        try {
            failure = use_(rowOfSlot_[size_t(slot)], ring_.data() + qsizetype(slot) * rowBytes_);
        } catch (...) {
            failure = QStringLiteral("There is not enough memory for it.");
        }
        {
            const std::lock_guard lock(mutex_);
            tail_ = (tail_ + 1) % slots_;
            --count_;
            failure_ = failure;
        }
        freed_.notify_one();
        if (failure)
            return;
    }
}
