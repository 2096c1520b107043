#pragma once
// Identifies a stream of trees on every core: one thread puts the trees in as
// it reads them, another takes the results out in the same order as they are
// done, and at most a few trees are in between.
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

    // Puts a tree in, waiting while the queue holds as many as it takes at a
    // time; false, and the tree left out, once the queue is stopped.
    bool push(Tree tree);
    // No more trees will be put in.
    void close();
    // Ends the work early: push() takes no more trees and pop() gives no more.
    void stop();
    // The first tree put in and not yet taken out, once it is identified;
    // false when the queue is closed and empty, or stopped.
    bool pop(TreeResult& result);

private:
    struct Slot {
        TreeResult result;
        bool done = false;
    };
    void work();

    const SpeciesTable& table_;
    std::size_t window_;
    // All guarded by mutex_, as is every slot's done.
    std::deque<std::unique_ptr<Slot>> order_;
    std::deque<Slot*> waiting_;
    bool closed_ = false;
    bool stopped_ = false;
    std::mutex mutex_;
    std::condition_variable work_to_do_;
    std::condition_variable changed_;    // a tree done or taken out, or the queue closed or stopped
    std::vector<std::jthread> workers_;  // last, so that they are joined first
};

}  // namespace qid::batch
