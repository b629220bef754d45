# Writes SHA256SUMS into the delivery folder DIST: the SHA-256 of each of the files FILES (names
# in DIST, separated by commas) and of every file under DIST/zoneinfo, one a line in the format of
# sha256sum ("<64 hex digits>  <name>", names with forward slashes), in byte order of the names,
# so that `sha256sum -c SHA256SUMS` checks them in that folder. Run by `cmake -P`.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" names "${FILES}")
file(GLOB_RECURSE zone_files RELATIVE "${DIST}" LIST_DIRECTORIES false "${DIST}/zoneinfo/*")
list(APPEND names ${zone_files})
list(SORT names)
set(sums "")
foreach(name IN LISTS names)
  if(NOT EXISTS "${DIST}/${name}")
    message(FATAL_ERROR "${DIST}/${name} is missing: it cannot be listed in SHA256SUMS")
  endif()
  file(SHA256 "${DIST}/${name}" sum)
  string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE "${DIST}/SHA256SUMS.new" "${sums}")
file(RENAME "${DIST}/SHA256SUMS.new" "${DIST}/SHA256SUMS")
