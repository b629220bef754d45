// Writing a team database: the layout the walk reads, from the same words and record lines.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/database_file.h"

namespace database {

// What a database file holds, as the writer writes it.
struct DatabaseContent {
  DatabaseHeader header;  // line 6 is this program's format version unless set
  // The zone whose clock the kick-offs are on, for the fixtures' heading; none: each ground's own.
  std::optional<std::string> kickOffZone;
  std::vector<SpecialFixture> specials;
  std::vector<FixtureRecord> fixtures;
  std::vector<std::string> facts;
  std::vector<std::string> adverts;
};

// The file's bytes: the header, then each section under its heading and up to its terminator, one
// item a line, every line ended by CR LF. The entries are written as they are: each must be one
// line, and no fact or advert its section's terminator. With the header's encoding, the content is
// UTF-8 and is written in that encoding, which line 5 declares (std::invalid_argument when a
// character has no byte there); without one, its bytes are written as they are.
std::string DatabaseText(const DatabaseContent& content);

}  // namespace database
