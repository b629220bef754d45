#include "tavdb/json.h"

#include <cstdlib>

#include "tavdb/csv.h"
#include "tavdb/diagnostic.h"
#include "util/utf8.h"

namespace tavdb {

namespace {

// Nesting deeper than any fixture list needs is refused before it can exhaust the stack.
constexpr int kDeepest = 100;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Json Document() {
    Json value = Value(0);
    Blanks();
    if (at_ < text_.size()) Fail("more text after the JSON value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const { throw InputError{line_, why}; }

  void Blanks() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '\n') ++line_;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return;
      ++at_;
    }
  }

  bool Take(char c) {
    Blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  void Expect(char c) {
    if (!Take(c)) Fail(std::string("'") + c + "' expected");
  }

  Json Value(int depth) {
    if (depth > kDeepest) Fail("values nested too deeply");
    Blanks();
    Json value;
    value.line = line_;
    if (at_ >= text_.size()) Fail("the text ends where a value was expected");
    const char c = text_[at_];
    if (c == '{') {
      ++at_;
      value.kind = Json::Kind::Object;
      if (Take('}')) return value;
      do {
        Blanks();
        if (at_ >= text_.size() || text_[at_] != '"') Fail("a member name in quotes expected");
        value.names.push_back(String());
        Expect(':');
        value.items.push_back(Value(depth + 1));
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      ++at_;
      value.kind = Json::Kind::Array;
      if (Take(']')) return value;
      do value.items.push_back(Value(depth + 1));
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      value.kind = Json::Kind::String;
      value.text = String();
    } else if (Word("true") || Word("false")) {
      value.kind = Json::Kind::Boolean;
      value.boolean = c == 't';
    } else if (Word("null")) {
      value.kind = Json::Kind::Null;
    } else {
      value.kind = Json::Kind::Number;
      value.number = Number();
    }
    return value;
  }

  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  double Number() {
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    auto digits = [&] {
      const std::size_t from = at_;
      while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
      return at_ > from;
    };
    if (!digits()) Fail("a value expected");
    if (at_ < text_.size() && text_[at_] == '.') {
      ++at_;
      if (!digits()) Fail("digits expected after the decimal point");
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (!digits()) Fail("digits expected in the exponent");
    }
    return std::strtod(std::string(text_.substr(start, at_ - start)).c_str(), nullptr);
  }

  unsigned Hex4() {
    if (at_ + 4 > text_.size()) Fail("four hexadecimal digits expected after \\u");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        value |= static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        value |= static_cast<unsigned>(c - 'A' + 10);
      else
        Fail("four hexadecimal digits expected after \\u");
    }
    return value;
  }

  // A string in quotes, at_ on the opening quote.
  std::string String() {
    ++at_;
    std::string out;
    for (;;) {
      if (at_ >= text_.size()) Fail("a string is not closed");
      const char c = text_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("a control character inside a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("a string is not closed");
      const char e = text_[at_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned c1 = Hex4();
          if (c1 >= 0xD800 && c1 <= 0xDBFF) {
            if (text_.substr(at_, 2) != "\\u") Fail("a lone surrogate in \\u escapes");
            at_ += 2;
            const unsigned c2 = Hex4();
            if (c2 < 0xDC00 || c2 > 0xDFFF) Fail("a lone surrogate in \\u escapes");
            c1 = 0x10000 + ((c1 - 0xD800) << 10) + (c2 - 0xDC00);
          } else if (c1 >= 0xDC00 && c1 <= 0xDFFF) {
            Fail("a lone surrogate in \\u escapes");
          }
          utf8::Append(out, c1);
          break;
        }
        default:
          Fail(std::string("an unknown escape \\") + e);
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 1;
};

}  // namespace

const Json* Json::Find(std::string_view name) const {
  if (kind != Kind::Object) return nullptr;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return &items[i];
  return nullptr;
}

Json ParseJson(std::string_view text) {
  return Parser(WithoutByteOrderMark(text)).Document();
}

}  // namespace tavdb
