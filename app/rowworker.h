#pragma once

#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Rows handed from a reader to a thread of their own, which does with them what the reader need
// not wait for (writing them out, summing them) while the reader decodes the next ones. Each row is
// copied into a ring of slots the thread owns, so it never reads the reader's picture, which the
// reader may drop at any moment when it fails.
class RowWorker {
public:
    // `use(y, row)` runs on the thread, row by row in the order they were put; it returns why it
    // failed, or nothing. `rowBytes` bytes are copied per row.
    using Use = std::function<std::optional<QString>(int y, const unsigned char* row)>;

    RowWorker(qsizetype rowBytes, int capacity, Use use);
    ~RowWorker(); // stops the thread, dropping the rows it has not used
    RowWorker(const RowWorker&) = delete;
    RowWorker& operator=(const RowWorker&) = delete;

    // Waits for a free slot; false once the thread has failed.
    bool put(int y, const unsigned char* row);
    // Waits until every row put was used; why the thread failed, or nothing.
    std::optional<QString> finish();

private:
    void run();

    qsizetype rowBytes_;
    int slots_;
    Use use_;
    std::vector<unsigned char> ring_;
    std::vector<int> rowOfSlot_;
    std::mutex mutex_;
    std::condition_variable filled_;
    std::condition_variable freed_;
    int head_ = 0; // the next slot to fill
    int tail_ = 0; // the next slot to use
    int count_ = 0;
    bool ending_ = false;  // no more rows come: use those left, then stop
    bool stopping_ = false; // stop at once
    std::optional<QString> failure_;
    std::thread thread_; // last: starts once everything above is ready
};
