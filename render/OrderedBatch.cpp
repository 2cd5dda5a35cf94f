#include "OrderedBatch.h"

#include <algorithm>
#include <thread>

namespace quorvane {

OrderedBatch::OrderedBatch(int count, int workers, bool keepWorker)
    : count_(std::max(0, count)),
      workers_(std::clamp(workers, 1, std::max(1, count))),
      keepWorker_(keepWorker),
      preparedBy_(std::size_t(count_), -1)
{
}

void OrderedBatch::Run(const Step& prepare, const Step& finish)
{
    if (workers_ == 1) {
        for (int item = 0; item < count_; ++item) {
            prepare(item, 0);
            {
                const std::lock_guard lock(mutex_);
                preparedBy_[std::size_t(item)] = 0;
            }
            finish(item, 0);
        }
        return;
    }
    std::vector<std::thread> threads;
    for (int worker = 0; worker < workers_; ++worker)
        threads.emplace_back(&OrderedBatch::Work, this, worker, std::cref(prepare));
    for (int item = 0; item < count_; ++item) {
        int worker = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return preparedBy_[std::size_t(item)] >= 0; });
            worker = preparedBy_[std::size_t(item)];
        }
        finish(item, worker);
        {
            const std::lock_guard lock(mutex_);
            finished_ = item + 1;
        }
        changed_.notify_all();
    }
    for (std::thread& thread : threads)
        thread.join();
}

void OrderedBatch::AwaitPrepared(int item)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return preparedBy_[std::size_t(item)] >= 0; });
}

void OrderedBatch::Work(int worker, const Step& prepare)
{
    int last = -1;
    for (;;) {
        int item = 0;
        {
            std::unique_lock lock(mutex_);
            if (keepWorker_)
                changed_.wait(lock, [&] { return finished_ > last; });
            if (next_ == count_)
                return;
            item = next_++;
        }
        prepare(item, worker);
        {
            const std::lock_guard lock(mutex_);
            preparedBy_[std::size_t(item)] = worker;
        }
        changed_.notify_all();
        last = item;
    }
}

}  // namespace quorvane
