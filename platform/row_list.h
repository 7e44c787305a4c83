// A list of one-line rows with at most one selected row: the captions the
// history and the text clip store keep in step with their texts. A window's
// list box shows it through an observer; the list itself needs no window.
#pragma once

#include <string>
#include <vector>

namespace lumeret {

class RowList {
public:
    // Told of every change, after it is made.
    class Observer {
    public:
        virtual void RowInserted(int index, const std::string& caption) = 0;
        virtual void RowRemoved(int index) = 0;
        virtual void RowsCleared() = 0;
        virtual void SelectionChanged(int index) = 0;
        // Around the changes of a batch (below).
        virtual void BatchBegun() = 0;
        virtual void BatchEnded() = 0;

    protected:
        ~Observer() = default;
    };

    RowList() = default;
    RowList(const RowList&) = delete;
    RowList& operator=(const RowList&) = delete;

    int Count() const { return static_cast<int>(rows_.size()); }
    const std::string& Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Rows() const { return rows_; }

    // As a single-selection list box does: a row inserted at or above the
    // selected one moves the selection down with its row; removing the
    // selected row leaves none selected.
    void Insert(int index, const std::string& caption);
    void Add(const std::string& caption);
    void Remove(int index);
    void Clear();

    // The selected row, -1 when none.
    int Selected() const { return selected_; }
    // Selects row index; an index outside the rows leaves none selected.
    void Select(int index);
    bool IsSelected(int index) const { return index >= 0 && index == selected_; }

    // The changes made while a Batch lives reach the observer between one
    // BatchBegun and one BatchEnded, so that a view can show them all at
    // once. Batches nest: the outermost one counts.
    class Batch {
    public:
        explicit Batch(RowList& rows);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        RowList& rows_;
    };

    // One observer at a time; nullptr detaches it. An observer that comes or
    // goes within a batch is not told of it.
    void SetObserver(Observer* observer) { observer_ = observer; }

private:
    std::vector<std::string> rows_;
    int selected_ = -1;
    Observer* observer_ = nullptr;
    Observer* batchObserver_ = nullptr;  // the one told that the batch began
    int batchDepth_ = 0;
};

}  // namespace lumeret
