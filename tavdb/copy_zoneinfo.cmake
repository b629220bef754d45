# Copies the compiled IANA time zone files from FROM into the folder TO as plain files (links
# resolved, as Windows has none), without the posix/ and right/ variants and the build machine's
# own localtime, and with tzdata.zi, which names the database's version. TO ends up holding
# exactly those files, in name order: one a newer tzdata no longer has goes. Run by `cmake -P`.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${FROM}/tzdata.zi")
  message(FATAL_ERROR "${FROM}/tzdata.zi is missing: tavdb.exe needs the time zone files "
    "(Debian's tzdata package) beside it")
endif()
file(GLOB_RECURSE zone_files RELATIVE "${FROM}" LIST_DIRECTORIES false "${FROM}/*")
list(FILTER zone_files EXCLUDE REGEX "^(posix|right)/|^localtime$")
list(SORT zone_files)
foreach(zone_file IN LISTS zone_files)
  get_filename_component(folder "${TO}/${zone_file}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${FROM}/${zone_file}" "${TO}/${zone_file}" ONLY_IF_DIFFERENT)
endforeach()
file(GLOB_RECURSE copied RELATIVE "${TO}" LIST_DIRECTORIES false "${TO}/*")
list(REMOVE_ITEM copied ${zone_files})
foreach(stale IN LISTS copied)
  file(REMOVE "${TO}/${stale}")
endforeach()
