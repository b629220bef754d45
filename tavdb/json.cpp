#include "tavdb/json.h"

#include <cstdlib>

#include "tavdb/csv.h"
#include "tavdb/diagnostic.h"
#include "util/utf8.h"

namespace tavdb {

namespace {

// Nesting deeper than any fixture list needs is refused before it can exhaust the stack.
constexpr int kDeepest = 100;
// A node holds a line in 29 bits and a place in the text in 32.
constexpr std::size_t kLongestText = std::size_t{1} << 29;

unsigned HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return 16;
}

// A string's characters from its text in quotes, checked as the parser checks it; the escapes
// decoded into UTF-8 when `out` is given. Returns where the closing quote is, or sets `fault`.
std::size_t ScanString(std::string_view text, std::size_t at, std::string* out,
                       std::optional<std::string>& fault) {
  auto fail = [&](std::string why) {
    fault = std::move(why);
    return at;
  };
  auto hex4 = [&](unsigned& value) {
    if (at + 4 > text.size()) return false;
    value = 0;
    for (int i = 0; i < 4; ++i) {
      const unsigned digit = HexDigit(text[at++]);
      if (digit > 15) return false;
      value = value << 4 | digit;
    }
    return true;
  };
  ++at;  // the opening quote
  for (;;) {
    if (at >= text.size()) return fail("a string is not closed");
    const char c = text[at++];
    if (c == '"') return at - 1;
    if (static_cast<unsigned char>(c) < 0x20) return fail("a control character inside a string");
    if (c != '\\') {
      if (out) *out += c;
      continue;
    }
    if (at >= text.size()) return fail("a string is not closed");
    const char e = text[at++];
    static constexpr std::string_view kSimple = "\"\\/bfnrt", kMeant = "\"\\/\b\f\n\r\t";
    if (const auto simple = kSimple.find(e); simple != std::string_view::npos) {
      if (out) *out += kMeant[simple];
      continue;
    }
    if (e != 'u') return fail(std::string("an unknown escape \\") + e);
    unsigned c1 = 0;
    if (!hex4(c1)) return fail("four hexadecimal digits expected after \\u");
    if (c1 >= 0xD800 && c1 <= 0xDBFF) {
      unsigned c2 = 0;
      if (text.substr(at, 2) != "\\u") return fail("a lone surrogate in \\u escapes");
      at += 2;
      if (!hex4(c2)) return fail("four hexadecimal digits expected after \\u");
      if (c2 < 0xDC00 || c2 > 0xDFFF) return fail("a lone surrogate in \\u escapes");
      c1 = 0x10000 + ((c1 - 0xD800) << 10) + (c2 - 0xDC00);
    } else if (c1 >= 0xDC00 && c1 <= 0xDFFF) {
      return fail("a lone surrogate in \\u escapes");
    }
    if (out) utf8::Append(*out, c1);
  }
}

}  // namespace

class JsonDocument::Parser {
 public:
  Parser(std::string_view text, std::deque<Node>& nodes) : text_(text), nodes_(nodes) {}

  void Document() {
    if (text_.size() >= kLongestText) Fail("the text is too long to read");
    Value(0);
    Blanks();
    if (at_ < text_.size()) Fail("more text after the JSON value");
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

  // Adds the node of a value that begins here; returns its index.
  std::uint32_t Add(Json::Kind kind) {
    nodes_.push_back({static_cast<std::uint32_t>(line_) << 3 | static_cast<std::uint32_t>(kind),
                      static_cast<std::uint32_t>(at_), 0});
    return static_cast<std::uint32_t>(nodes_.size() - 1);
  }
  // The value's text ends here.
  void Ends(std::uint32_t node, std::size_t end) {
    nodes_[node].extent = static_cast<std::uint32_t>(end - nodes_[node].start);
  }

  void Value(int depth) {
    if (depth > kDeepest) Fail("values nested too deeply");
    Blanks();
    if (at_ >= text_.size()) Fail("the text ends where a value was expected");
    const char c = text_[at_];
    if (c == '{' || c == '[') {
      const bool object = c == '{';
      const std::uint32_t node = Add(object ? Json::Kind::Object : Json::Kind::Array);
      ++at_;
      if (!Take(object ? '}' : ']')) {
        do {
          if (object) {
            Blanks();
            if (at_ >= text_.size() || text_[at_] != '"') Fail("a member name in quotes expected");
            String();
            Expect(':');
          }
          Value(depth + 1);
        } while (Take(','));
        Expect(object ? '}' : ']');
      }
      nodes_[node].extent = static_cast<std::uint32_t>(nodes_.size());
    } else if (c == '"') {
      String();
    } else if (!Word("true", Json::Kind::Boolean) && !Word("false", Json::Kind::Boolean) &&
               !Word("null", Json::Kind::Null)) {
      const std::uint32_t node = Add(Json::Kind::Number);
      Number();
      Ends(node, at_);
    }
  }

  bool Word(std::string_view word, Json::Kind kind) {
    if (text_.substr(at_, word.size()) != word) return false;
    Ends(Add(kind), at_ += word.size());
    return true;
  }

  void Number() {
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
  }

  // A string in quotes, at_ on the opening quote.
  void String() {
    const std::uint32_t node = Add(Json::Kind::String);
    std::optional<std::string> fault;
    at_ = ScanString(text_, at_, nullptr, fault) + 1;
    if (fault) Fail(*fault);
    Ends(node, at_);
  }

  std::string_view text_;
  std::deque<Node>& nodes_;
  std::size_t at_ = 0;
  int line_ = 1;
};

JsonDocument::JsonDocument(std::string_view text) : text_(WithoutByteOrderMark(text)) {
  Parser(text_, nodes_).Document();
}

Json::Json(const JsonDocument& document, std::uint32_t node) : document_(&document), node_(node) {
  const std::uint32_t kindAndLine = document.nodes_[node].kindAndLine;
  kind = static_cast<Kind>(kindAndLine & 7);
  line = static_cast<int>(kindAndLine >> 3);
}

std::uint32_t Json::Next() const {
  const auto& n = document_->nodes_[node_];
  return kind == Kind::Array || kind == Kind::Object ? n.extent : node_ + 1;
}

bool Json::Boolean() const {
  return kind == Kind::Boolean && document_->text_[document_->nodes_[node_].start] == 't';
}

double Json::Number() const {
  if (kind != Kind::Number) return 0;
  const auto& n = document_->nodes_[node_];
  return std::strtod(std::string(document_->text_.substr(n.start, n.extent)).c_str(), nullptr);
}

std::string Json::Text() const {
  if (kind != Kind::String) return {};
  const auto& n = document_->nodes_[node_];
  const std::string_view quoted = document_->text_.substr(n.start, n.extent);
  // Most strings hold no escape: their characters are their text.
  if (quoted.find('\\') == std::string_view::npos)
    return std::string(quoted.substr(1, quoted.size() - 2));
  std::string text;
  std::optional<std::string> fault;
  ScanString(quoted, 0, &text, fault);
  return text;
}

std::optional<Json> Json::Find(std::string_view name) const {
  if (kind != Kind::Object) return std::nullopt;
  for (const Json value : Items()) {
    const Json member(*document_, value.node_ - 1);
    const auto& n = document_->nodes_[member.node_];
    const std::string_view quoted = document_->text_.substr(n.start, n.extent);
    const bool plain = quoted.find('\\') == std::string_view::npos;
    if (plain ? quoted.substr(1, quoted.size() - 2) == name : member.Text() == name) return value;
  }
  return std::nullopt;
}

Json::ItemRange Json::Items() const {
  const bool container = kind == Kind::Array || kind == Kind::Object;
  const std::uint32_t end = container ? Next() : node_ + 1;
  // An object's first value comes after its first member's name.
  std::uint32_t first = container ? node_ + 1 : end;
  if (kind == Kind::Object && first < end) ++first;
  return {{*document_, first, end, kind == Kind::Object}, {*document_, end, end, false}};
}

Json::ItemRange::iterator& Json::ItemRange::iterator::operator++() {
  node_ = Json(*document_, node_).Next();
  if (object_ && node_ < end_) ++node_;  // past the next member's name
  return *this;
}

}  // namespace tavdb
