// Many trees identified at once give what each gives alone.
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "batch/identify_trees.h"
#include "identify/data_file.h"
#include "datagen.h"

namespace qid::batch {
namespace {

// Trees with random observations drawn from the lists, so that their
// cascades stop at every step and keep lists of every length.
std::vector<Tree> random_trees(const std::array<QStringList, 7>& lists, int n)
{
    std::mt19937 random(7);
    const auto pick = [&](const QStringList& l) { return random() % 3 == 0 ? QString() : l[random() % l.size()]; };
    const auto measure = [&](int most) { return static_cast<std::int16_t>(random() % 2 ? 0 : random() % most); };
    std::vector<Tree> trees(static_cast<std::size_t>(n));
    for (Tree& t : trees) {
        t.row = static_cast<int>(&t - trees.data());
        t.seen.fruit_colour = {pick(lists[0]), lists[1][0]};
        t.seen.spherical = random() % 2;
        t.seen.berry_size = measure(20);
        t.seen.leaf_colour = {pick(lists[2]), lists[3][0]};
        t.seen.leaf_size = {measure(12), measure(400), measure(90), measure(40)};
        t.seen.bud_prop = {pick(lists[4]), pick(lists[5]), pick(lists[6])};
        t.seen.bud_length = measure(20);
        t.factors.size_factor = random() % 4 ? 1.0f : 0.8f;
        t.factors.range_ext = random() % 4 ? 0.0f : 0.2f;
    }
    trees[3].errors << "row 5: not read";
    return trees;
}

// Through a queue of 4 workers and a window of 6, in the order they went in.
TEST(IdentifyTrees, ThreadsGiveWhatEachTreeGivesAlone)
{
    const tools::ChoiceLists shipped = tools::lists_of(QID_SOURCE_DIR "/data/qid.dta");
    const DataFileResult large = read_data_bytes(tools::make_species_file(shipped, 3000, 11));
    ASSERT_TRUE(large.data);
    const std::vector<Tree> trees = random_trees(large.data->lists, 300);
    std::vector<TreeResult> together;
    IdentifyQueue queue(*large.data, 4, 6);
    std::jthread feeder([&] {
        for (const Tree& t : trees)
            queue.push(t);
        queue.close();
    });
    for (TreeResult r; queue.pop(r);)
        together.push_back(std::move(r));
    ASSERT_EQ(together.size(), trees.size());
    int stopped[4] = {};
    for (std::size_t i = 0; i < trees.size(); ++i) {
        const CascadeResult& r = together[i].cascade;
        EXPECT_EQ(together[i].tree.row, trees[i].row);
        if (i == 3) {  // not identified
            EXPECT_EQ(r.stage, -1);
            continue;
        }
        const CascadeResult alone = run_cascade(*large.data, trees[i].seen, trees[i].factors);
        EXPECT_EQ(std::tie(r.stage, r.stopped), std::tie(alone.stage, alone.stopped)) << i;
        for (int s = 0; s <= alone.stage; ++s) {
            const auto& a = alone.selected[static_cast<std::size_t>(s)];
            const auto& b = r.selected[static_cast<std::size_t>(s)];
            EXPECT_TRUE(std::equal(a.begin(), a.begin() + a[0] + 1, b.begin(), b.begin() + b[0] + 1)) << i;
        }
        ++stopped[alone.stopped + 1];
    }
    for (int s : {0, 2, 3})  // all three steps kept some, or the leaf or the bud step none
        EXPECT_GT(stopped[s], 0) << s;
}

}  // namespace
}  // namespace qid::batch
