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

    void RowInserted(int index, const std::string& caption) override { Write("+", index, " " + caption); }
    void RowRemoved(int index) override { Write("-", index); }
    void RowsCleared() override { lines.push_back("clear"); }
    void SelectionChanged(int index) override { Write("select ", index); }
    void BatchBegun() override { lines.push_back("begin"); }
    void BatchEnded() override { lines.push_back("end"); }

private:
    void Write(const char* what, int index, const std::string& rest = {}) {
        std::string line = what;
        line += std::to_string(index);
        line += rest;
        lines.push_back(std::move(line));
    }
};

}  // namespace lumeret::test
