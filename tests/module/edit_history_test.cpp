// The undo history on its own: the saved point, runs that merge into one step and what ends them, the
// steps dropped by a new edit after an undo, and the oldest steps dropped past the limit.
#include <gtest/gtest.h>

#include <memory>

#include "designer/edit_history.h"

namespace vtl::designer {
namespace {

// Adds `by` to a number; a run of additions with a merge id merges into one.
class Add : public EditCommand {
public:
    Add(int& value, int by, int merge = kNoMerge) : value_(value), by_(by), merge_(merge) {}
    void redo() override { value_ += by_; }
    void undo() override { value_ -= by_; }
    int mergeId() const override { return merge_; }
    bool mergeWith(const EditCommand& next) override {
        by_ += static_cast<const Add&>(next).by_;
        return true;
    }

private:
    int& value_;
    int by_;
    int merge_;
};

TEST(EditHistory, TheSavedPointIsModifiedOrNotWhicheverWayItIsReached) {
    int v = 0;
    EditHistory h;
    EXPECT_TRUE(h.isClean());
    h.push(std::make_unique<Add>(v, 1));
    h.push(std::make_unique<Add>(v, 2));
    EXPECT_EQ(v, 3);
    EXPECT_FALSE(h.isClean());
    h.setClean();
    EXPECT_TRUE(h.undo());
    EXPECT_FALSE(h.isClean());
    EXPECT_TRUE(h.redo());
    EXPECT_TRUE(h.isClean());
    EXPECT_FALSE(h.redo());
    // A new edit after an undo drops the undone step, and with it the saved point.
    h.undo();
    h.push(std::make_unique<Add>(v, 10));
    EXPECT_EQ(v, 11);
    EXPECT_FALSE(h.canRedo());
    h.undo();
    EXPECT_FALSE(h.isClean());  // 1 is not the saved 3
    h.undo();
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(h.undo());
}

TEST(EditHistory, RunsMergeUntilSealedAndNeverAcrossTheSavedPoint) {
    int v = 0;
    EditHistory h;
    h.push(std::make_unique<Add>(v, 1, 7));
    h.push(std::make_unique<Add>(v, 1, 7));
    h.push(std::make_unique<Add>(v, 1, 8));  // another kind starts a step of its own
    EXPECT_EQ(h.size(), 2u);
    h.seal();
    h.push(std::make_unique<Add>(v, 1, 8));
    EXPECT_EQ(h.size(), 3u);
    h.setClean();
    h.push(std::make_unique<Add>(v, 1, 8));  // the saved state stays reachable
    EXPECT_EQ(h.size(), 4u);
    h.undo();
    EXPECT_TRUE(h.isClean());
    int undone = 0;
    while (h.undo()) ++undone;
    EXPECT_EQ(undone, 3);  // the merged run went back in one step
    EXPECT_EQ(v, 0);
}

TEST(EditHistory, PastItsLimitTheOldestStepsAreForgotten) {
    int v = 0;
    EditHistory h(3);
    for (int i = 0; i < 5; ++i) h.push(std::make_unique<Add>(v, 1));
    EXPECT_EQ(h.size(), 3u);
    while (h.undo()) {
    }
    EXPECT_EQ(v, 2);
    EXPECT_FALSE(h.isClean());  // the saved state (nothing done) can no longer be reached
    h.clear();
    EXPECT_TRUE(h.isClean());
}

}  // namespace
}  // namespace vtl::designer
