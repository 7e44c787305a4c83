#include "platform/row_list.h"

namespace lumeret {

void RowList::Insert(int index, const std::string& caption) {
    if (index < 0 || index > Count()) index = Count();
    rows_.insert(rows_.begin() + index, caption);
    if (selected_ >= index) ++selected_;
    if (observer_) observer_->RowInserted(index, caption);
}

void RowList::Add(const std::string& caption) { Insert(Count(), caption); }

void RowList::Remove(int index) {
    if (index < 0 || index >= Count()) return;
    rows_.erase(rows_.begin() + index);
    if (selected_ == index) {
        selected_ = -1;
    } else if (selected_ > index) {
        --selected_;
    }
    if (observer_) observer_->RowRemoved(index);
}

void RowList::Clear() {
    rows_.clear();
    selected_ = -1;
    if (observer_) observer_->RowsCleared();
}

void RowList::Select(int index) {
    selected_ = (index >= 0 && index < Count()) ? index : -1;
    if (observer_) observer_->SelectionChanged(selected_);
}

RowList::Batch::Batch(RowList& rows) : rows_(rows) {
    if (rows_.batchDepth_++ > 0) return;
    rows_.batchObserver_ = rows_.observer_;
    if (rows_.batchObserver_) rows_.batchObserver_->BatchBegun();
}

RowList::Batch::~Batch() {
    if (--rows_.batchDepth_ > 0) return;
    if (rows_.batchObserver_ && rows_.batchObserver_ == rows_.observer_) rows_.batchObserver_->BatchEnded();
    rows_.batchObserver_ = nullptr;
}

}  // namespace lumeret
