#pragma once
// EditHistory: undo and redo as command objects. Every edit is a command that can apply itself (redo) and
// take itself back (undo); the history applies a command as it takes it, and remembers the point at which
// the document was last saved, so "modified" is simply "not at that point". A command may swallow the one
// pushed after it (typing into one field, a run of arrow-key moves of one selection), so one undo takes the
// whole run back; sealing the history (a click, a selection change) ends such a run.
#include <cstddef>
#include <memory>
#include <vector>

namespace vtl::designer {

class EditCommand {
public:
    virtual ~EditCommand() = default;
    virtual void redo() = 0;
    virtual void undo() = 0;
    // Commands that may merge share an id other than kNoMerge.
    static constexpr int kNoMerge = -1;
    virtual int mergeId() const { return kNoMerge; }
    // Takes `next` (applied already, of the same merge id) into this command; false when it cannot.
    virtual bool mergeWith(const EditCommand& next) {
        (void)next;
        return false;
    }
};

class EditHistory {
public:
    // The oldest steps are forgotten beyond `limit`.
    static constexpr std::size_t kDefaultLimit = 200;
    explicit EditHistory(std::size_t limit = kDefaultLimit);

    // Applies the command and keeps it as the latest step; the steps that were undone are dropped.
    void push(std::unique_ptr<EditCommand> command);
    bool undo();
    bool redo();
    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < steps_.size(); }
    // The next command starts a step of its own.
    void seal() { sealed_ = true; }

    // The document as it stands is the saved one.
    void setClean();
    bool isClean() const { return clean_ == static_cast<long long>(index_); }
    // Forgets every step; the document as it stands is the saved one.
    void clear();
    std::size_t size() const { return steps_.size(); }
    std::size_t limit() const { return limit_; }

private:
    std::vector<std::unique_ptr<EditCommand>> steps_;
    std::size_t index_ = 0;   // steps_[0 .. index_) are applied
    long long clean_ = 0;     // the saved state's index; -1 when no step leads back to it
    std::size_t limit_;
    bool sealed_ = true;
};

}  // namespace vtl::designer
