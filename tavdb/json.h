// A small JSON reader for the fixture lists the makers receive (UTF-8 text), keeping each value's
// line for messages. A document is its text and one list of small nodes that point into it: every
// value costs 12 bytes whatever its kind, so a document of millions of tiny values takes a small
// multiple of its text's size. Strings and numbers are read from the text when they are asked for.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace tavdb {

class JsonDocument;

// A value of a document: a handle, valid while the document is.
class Json {
 public:
  enum class Kind : std::uint8_t { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  int line = 0;  // where the value begins

  bool Boolean() const;      // true for true
  double Number() const;     // a number's value
  std::string Text() const;  // a string's characters, as UTF-8
  // The member with this name, or none.
  std::optional<Json> Find(std::string_view name) const;

  // An array's values, or an object's members' values, in order:
  //   for (const Json& item : value.Items()) ...
  class ItemRange;
  ItemRange Items() const;

 private:
  friend class JsonDocument;
  Json(const JsonDocument& document, std::uint32_t node);
  // The node after this value and all it holds.
  std::uint32_t Next() const;
  const JsonDocument* document_ = nullptr;
  std::uint32_t node_ = 0;
};

class JsonDocument {
 public:
  // Throws InputError with the line of the fault. The text must outlive the document.
  explicit JsonDocument(std::string_view text);
  Json Root() const { return {*this, 0}; }

 private:
  friend class Json;
  struct Node {
    std::uint32_t kindAndLine;  // the kind in the low 3 bits
    std::uint32_t start;        // where the value's text begins (a string's at its quote)
    // An array or object: the node after all it holds; any other value: its text's length.
    std::uint32_t extent;
  };
  std::string_view text_;
  std::deque<Node> nodes_;  // in document order; an object's name before each member's value
  class Parser;
};

class Json::ItemRange {
 public:
  class iterator {
   public:
    using value_type = Json;
    using difference_type = std::ptrdiff_t;
    iterator() = default;
    Json operator*() const { return {*document_, node_}; }
    iterator& operator++();
    iterator operator++(int) {
      iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const iterator& other) const { return node_ == other.node_; }

   private:
    friend class Json;
    iterator(const JsonDocument& document, std::uint32_t node, std::uint32_t end, bool object)
        : document_(&document), node_(node), end_(end), object_(object) {}
    const JsonDocument* document_ = nullptr;
    std::uint32_t node_ = 0, end_ = 0;
    bool object_ = false;  // the values are every second node: each after its member's name
  };
  iterator begin() const { return begin_; }
  iterator end() const { return end_; }

 private:
  friend class Json;
  ItemRange(iterator begin, iterator end) : begin_(begin), end_(end) {}
  iterator begin_, end_;
};

}  // namespace tavdb
