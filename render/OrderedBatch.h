#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace quorvane {

// Items 0 .. count - 1 worked on by several threads and finished one after
// another in their order: `prepare` runs on the workers, each with its
// worker's number, so that it can use that worker's own objects; `finish`
// runs on the calling thread for each item as soon as it and every item
// before it are prepared. With one worker no thread is started: each item
// is prepared and finished in turn on the calling thread.
//
// With `keepWorker`, a worker begins its next item only once its last one is
// finished, so `finish` may use what `prepare` left in the worker's objects.
// Neither step may throw.
class OrderedBatch {
public:
    using Step = std::function<void(int item, int worker)>;

    OrderedBatch(int count, int workers, bool keepWorker);

    void Run(const Step& prepare, const Step& finish);

    // Within `prepare`: waits until an earlier item is prepared.
    void AwaitPrepared(int item);

private:
    void Work(int worker, const Step& prepare);

    const int count_;
    const int workers_;
    const bool keepWorker_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> preparedBy_;  // the worker, or -1 while the item is not prepared
    int next_ = 0;                 // the next item a worker takes
    int finished_ = 0;             // items finished, from the first on
};

}  // namespace quorvane
