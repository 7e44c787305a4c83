// An observer of a RowList that writes down what it is told, one line per
// call: "+0 caption", "-2", "clear", "select 1", "begin", "end".
#pragma once

#include <string>
#include <vector>

#include "platform/row_list.h"

namespace lumeret::test {

class RowLog : public RowList::Observer {
public:
    std::vector<std::string> lines;

    void RowInserted(int index, const std::string& caption) override {
        lines.push_back("+" + std::to_string(index) + " " + caption);
    }
    void RowRemoved(int index) override { lines.push_back("-" + std::to_string(index)); }
    void RowsCleared() override { lines.push_back("clear"); }
    void SelectionChanged(int index) override { lines.push_back("select " + std::to_string(index)); }
    void BatchBegun() override { lines.push_back("begin"); }
    void BatchEnded() override { lines.push_back("end"); }
};

}  // namespace lumeret::test
