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
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    work_to_do_.notify_all();
}

void IdentifyQueue::push(Tree tree)
{
    auto slot = std::make_unique<Slot>();
    slot->result.tree = std::move(tree);
    if (slot->result.tree.errors.isEmpty()) {
        const std::lock_guard lock(mutex_);
        waiting_.push_back(slot.get());
    } else {
        slot->done = true;  // nothing to identify
    }
    order_.push_back(std::move(slot));
    work_to_do_.notify_one();
}

bool IdentifyQueue::pop(TreeResult& result)
{
    if (order_.empty())
        return false;
    Slot& first = *order_.front();
    {
        std::unique_lock lock(mutex_);
        work_done_.wait(lock, [&] { return first.done; });
    }
    result = std::move(first.result);
    order_.pop_front();
    return true;
}

// Each worker takes the next tree waiting; the table is only read.
void IdentifyQueue::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        work_to_do_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
        if (stopping_)
            return;
        Slot* slot = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        const Tree& t = slot->result.tree;
        CascadeResult cascade = run_cascade(table_, t.seen, t.factors);
        lock.lock();
        slot->result.cascade = std::move(cascade);
        slot->done = true;
        work_done_.notify_all();
    }
}

}  // namespace qid::batch
