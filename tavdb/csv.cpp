#include "tavdb/csv.h"

#include "tavdb/diagnostic.h"

namespace tavdb {

std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

CsvReader::CsvReader(std::string_view text) : text_(WithoutByteOrderMark(text)) {
  CsvReader whole = *this;
  for (int line = 0; whole.Read(nullptr, line);) {
  }
}

std::optional<CsvRow> CsvReader::Next() {
  CsvRow row;
  while (Read(&row.fields, row.line)) {
    const bool blank = row.fields.size() == 1 && row.fields[0].empty();
    if (!blank) return row;
    row.fields.clear();
  }
  return std::nullopt;
}

bool CsvReader::Read(std::vector<std::string>* fields, int& line) {
  if (at_ >= text_.size()) return false;
  line = line_;
  std::string field;
  auto add = [&](char c) {
    if (fields) field += c;
  };
  for (;;) {
    if (at_ < text_.size() && text_[at_] == '"') {
      const int opened = line_;
      ++at_;
      for (;;) {
        if (at_ >= text_.size())
          throw InputError{opened, "a quoted field is not closed by a double quote"};
        const char c = text_[at_++];
        if (c == '"') {
          if (at_ < text_.size() && text_[at_] == '"') {
            add('"');
            ++at_;
            continue;
          }
          break;
        }
        if (c == '\n') ++line_;
        add(c);
      }
    }
    // Up to the comma or the line end; after a quoted field, what follows is part of it.
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\n') add(text_[at_++]);
    if (!field.empty() && field.back() == '\r' && (at_ >= text_.size() || text_[at_] == '\n'))
      field.pop_back();
    if (fields) fields->push_back(std::move(field));
    field.clear();
    if (at_ < text_.size() && text_[at_] == ',') {
      ++at_;
      continue;
    }
    if (at_ < text_.size()) ++at_, ++line_;  // the line feed
    return true;
  }
}

std::vector<CsvRow> ReadCsv(std::string_view text) {
  std::vector<CsvRow> rows;
  CsvReader records(text);
  while (auto row = records.Next()) rows.push_back(std::move(*row));
  return rows;
}

}  // namespace tavdb
