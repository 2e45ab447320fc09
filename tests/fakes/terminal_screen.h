// What a terminal shows after a stream of output: the few controls the terminal front end uses
// (carriage return, line feed, cursor up "ESC[nA", erase line "ESC[2K", erase below "ESC[J")
// applied to rows of text. Anything else after ESC is an error the tests should see.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace fakes {

class TerminalScreen {
 public:
  // Applies `bytes`; false at a control sequence it does not know.
  bool Feed(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      char c = bytes[i];
      if (c == '\r') {
        column_ = 0;
      } else if (c == '\n') {
        ++row_;
        column_ = 0;  // a pseudo-terminal turns "\n" into "\r\n"; a file keeps "\n" alone
      } else if (c == '\x1b') {
        if (i + 1 >= bytes.size() || bytes[i + 1] != '[') return false;
        std::size_t j = i + 2;
        int count = 0;
        while (j < bytes.size() && bytes[j] >= '0' && bytes[j] <= '9')
          count = count * 10 + (bytes[j++] - '0');
        if (j >= bytes.size()) return false;
        if (bytes[j] == 'A') {
          row_ = row_ > count ? row_ - count : 0;
          ++redraws_;
        } else if (bytes[j] == 'K' && count == 2) {
          Row().clear();
        } else if (bytes[j] == 'J' && count == 0) {
          Row().resize(std::min(Row().size(), column_));
          if (rows_.size() > static_cast<std::size_t>(row_) + 1) rows_.resize(row_ + 1);
        } else {
          return false;
        }
        i = j;
      } else {
        std::string& row = Row();
        if (row.size() < column_) row.resize(column_, ' ');
        if (column_ < row.size()) {
          row[column_] = c;
        } else {
          row += c;
        }
        ++column_;
      }
    }
    return true;
  }

  // The rows, each without trailing blanks of the screen (written blanks stay), empty last rows
  // left out.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows = rows_;
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }
  std::string Text() const {
    std::string text;
    for (const std::string& row : Rows()) text += row + "\n";
    return text;
  }
  // How many cursor-up controls were seen: one per redrawing.
  int redraws() const { return redraws_; }

 private:
  std::string& Row() {
    if (rows_.size() <= static_cast<std::size_t>(row_)) rows_.resize(row_ + 1);
    return rows_[row_];
  }

  std::vector<std::string> rows_;
  int row_ = 0;
  std::size_t column_ = 0;
  int redraws_ = 0;
};

}  // namespace fakes
