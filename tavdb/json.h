// A small JSON reader for the fixture lists the makers receive (UTF-8 text), keeping each value's
// line for messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavdb {

struct Json {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  int line = 0;  // where the value begins
  bool boolean = false;
  double number = 0;
  std::string text;                // a string's characters, as UTF-8
  std::vector<Json> items;         // an array's values, or an object's members' values
  std::vector<std::string> names;  // an object's members' names, in the order of `items`

  // The member with this name, or none.
  const Json* Find(std::string_view name) const;
};

// Throws InputError with the line of the fault.
Json ParseJson(std::string_view text);

}  // namespace tavdb
