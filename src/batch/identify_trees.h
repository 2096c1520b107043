#pragma once
// Identifies a stream of trees on every core while the caller reads the next
// ones and writes the results of those done, in the order the trees came.
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "batch/tree_entries.h"
#include "identify/cascade.h"
#include "identify/table.h"

namespace qid::batch {

// A tree and what its identification found; a tree with errors is not
// identified and its cascade is empty.
struct TreeResult {
    Tree tree;
    CascadeResult cascade;
};

class IdentifyQueue {
public:
    // `threads` workers (0: one per core) run the cascade, as three presses
    // of NEXT would, on at most `window` trees at a time (0: four per worker),
    // so that memory stays the same however many trees pass.
    explicit IdentifyQueue(const SpeciesTable& table, unsigned threads = 0, std::size_t window = 0);
    ~IdentifyQueue();
    IdentifyQueue(const IdentifyQueue&) = delete;
    IdentifyQueue& operator=(const IdentifyQueue&) = delete;

    // As many trees are in the queue as it takes at a time: take one out first.
    bool full() const { return order_.size() >= window_; }
    void push(Tree tree);
    // The first tree put in and not yet taken out, once it is identified;
    // false when the queue is empty.
    bool pop(TreeResult& result);

private:
    struct Slot {
        TreeResult result;
        bool done = false;
    };
    void work();

    const SpeciesTable& table_;
    std::size_t window_;
    std::deque<std::unique_ptr<Slot>> order_;  // the caller's alone
    std::deque<Slot*> waiting_;                // guarded by mutex_, as every slot's done
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable work_to_do_;
    std::condition_variable work_done_;
    std::vector<std::jthread> workers_;  // last, so that they are joined first
};

}  // namespace qid::batch
