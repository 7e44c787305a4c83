// A list of one-line rows with at most one selected row: what the clip stores
// and the history keep in step with their texts.
#pragma once

#include <string>

namespace lumeret {

class IListRows {
public:
    virtual ~IListRows() = default;

    virtual int Count() const = 0;
    virtual std::string Row(int index) const = 0;
    virtual void Insert(int index, const std::string& caption) = 0;
    virtual void Add(const std::string& caption) = 0;
    virtual void Remove(int index) = 0;
    virtual void Clear() = 0;

    // The selected row, -1 when none.
    virtual int Selected() const = 0;
    // Selects row index; an index outside the rows leaves none selected.
    virtual void Select(int index) = 0;
    // Whether row index is in the selected state.
    virtual bool IsSelected(int index) const = 0;
};

}  // namespace lumeret
