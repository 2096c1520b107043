#include "batch/identify_trees.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace qid::batch {

std::vector<CascadeResult> identify_trees(const SpeciesTable& table, const std::vector<Tree>& trees,
                                          unsigned threads)
{
    std::vector<CascadeResult> results(trees.size());
    std::atomic<std::size_t> next{0};
    // Each worker takes the next tree not yet taken; the table is only read.
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < trees.size();)
            if (trees[i].errors.isEmpty())
                results[i] = run_cascade(table, trees[i].seen, trees[i].factors);
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted = std::min<std::size_t>(threads == 0 ? cores : threads, trees.size());
    {
        std::vector<std::jthread> helpers;  // joined at the end of this block
        for (std::size_t t = 1; t < wanted; ++t)
            helpers.emplace_back(work);
        work();
    }
    return results;
}

}  // namespace qid::batch
