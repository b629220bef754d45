#include "tavdb/csv.h"

#include "tavdb/diagnostic.h"

namespace tavdb {

std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

std::vector<CsvRow> ReadCsv(std::string_view input) {
  const std::string_view text = WithoutByteOrderMark(input);
  std::vector<CsvRow> rows;
  int line = 1;
  std::size_t at = 0;
  while (at < text.size()) {
    CsvRow row{line, {}};
    std::string field;
    bool ended = false;
    while (!ended) {
      if (at < text.size() && text[at] == '"') {
        const int opened = line;
        ++at;
        for (;;) {
          if (at >= text.size())
            throw InputError{opened, "a quoted field is not closed by a double quote"};
          const char c = text[at++];
          if (c == '"') {
            if (at < text.size() && text[at] == '"') {
              field += '"';
              ++at;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
        }
      }
      // Up to the comma or the line end; after a quoted field, what follows is part of it.
      while (at < text.size() && text[at] != ',' && text[at] != '\n') field += text[at++];
      if (!field.empty() && field.back() == '\r' && (at >= text.size() || text[at] == '\n'))
        field.pop_back();
      row.fields.push_back(std::move(field));
      field.clear();
      if (at < text.size() && text[at] == ',') {
        ++at;
      } else {
        ended = true;
        if (at < text.size()) ++at, ++line;  // the line feed
      }
    }
    const bool blank = row.fields.size() == 1 && row.fields[0].empty();
    if (!blank) rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tavdb
