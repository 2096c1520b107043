#include "batch/identify_trees.h"

#include <algorithm>

namespace qid::batch {

IdentifyQueue::IdentifyQueue(const SpeciesTable& table, unsigned threads, std::size_t window) : table_(table)
{
    const unsigned n = threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
    window_ = window > 0 ? window : 4 * std::size_t{n};
    for (unsigned t = 0; t < n; ++t)
        workers_.emplace_back([this] { work(); });
}

IdentifyQueue::~IdentifyQueue()
{
    stop();
}

bool IdentifyQueue::push(Tree tree)
{
    auto slot = std::make_unique<Slot>();
    slot->result.tree = std::move(tree);
    slot->done = !slot->result.tree.errors.isEmpty();  // nothing to identify
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || order_.size() < window_; });
    if (stopped_)
        return false;
    if (!slot->done) {
        waiting_.push_back(slot.get());
        work_to_do_.notify_one();
    }
    order_.push_back(std::move(slot));
    changed_.notify_all();
    return true;
}

void IdentifyQueue::close()
{
    const std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

void IdentifyQueue::stop()
{
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    waiting_.clear();
    work_to_do_.notify_all();
    changed_.notify_all();
}

bool IdentifyQueue::pop(TreeResult& result)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || (order_.empty() ? closed_ : order_.front()->done); });
    if (stopped_ || order_.empty())
        return false;
    result = std::move(order_.front()->result);
    order_.pop_front();
    changed_.notify_all();
    return true;
}

// Each worker takes the next tree waiting; the table is only read.
void IdentifyQueue::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        work_to_do_.wait(lock, [&] { return stopped_ || !waiting_.empty(); });
        if (stopped_)
            return;
        Slot* slot = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        const Tree& t = slot->result.tree;
        CascadeResult cascade = run_cascade(table_, t.seen, t.factors);
        lock.lock();
        slot->result.cascade = std::move(cascade);
        slot->done = true;
        changed_.notify_all();
    }
}

}  // namespace qid::batch
