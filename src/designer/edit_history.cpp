#include "designer/edit_history.h"

#include <algorithm>

namespace vtl::designer {

EditHistory::EditHistory(std::size_t limit) : limit_(std::max<std::size_t>(limit, 1)) {}

void EditHistory::push(std::unique_ptr<EditCommand> command) {
    if (!command) return;
    command->redo();
    // The steps undone before are gone for good; so is the saved state when it lay among them.
    if (index_ < steps_.size()) {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(index_), steps_.end());
        if (clean_ > static_cast<long long>(index_)) clean_ = -1;
    }
    // A run of one kind becomes one step, unless the document was saved in between.
    if (!sealed_ && index_ > 0 && !isClean() && command->mergeId() != EditCommand::kNoMerge) {
        EditCommand& last = *steps_[index_ - 1];
        if (last.mergeId() == command->mergeId() && last.mergeWith(*command)) return;
    }
    sealed_ = false;
    steps_.push_back(std::move(command));
    ++index_;
    if (steps_.size() > limit_) {
        steps_.erase(steps_.begin());
        --index_;
        clean_ = clean_ > 0 ? clean_ - 1 : -1;
    }
}

bool EditHistory::undo() {
    if (!canUndo()) return false;
    sealed_ = true;
    steps_[--index_]->undo();
    return true;
}

bool EditHistory::redo() {
    if (!canRedo()) return false;
    sealed_ = true;
    steps_[index_++]->redo();
    return true;
}

void EditHistory::setClean() {
    clean_ = static_cast<long long>(index_);
    sealed_ = true;
}

void EditHistory::clear() {
    steps_.clear();
    index_ = 0;
    clean_ = 0;
    sealed_ = true;
}

}  // namespace vtl::designer
