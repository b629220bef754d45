# Copies the compiled IANA time zone files from FROM into the folder TO as plain files (links
# resolved, as Windows has none), without the posix/ and right/ variants and the build machine's
# own localtime, and with tzdata.zi, which names the database's version. Run by `cmake -P`.
cmake_minimum_required(VERSION 3.25)
if(NOT EXISTS "${FROM}/tzdata.zi")
  message(FATAL_ERROR "${FROM}/tzdata.zi is missing: tavdb.exe needs the time zone files "
    "(Debian's tzdata package) beside it")
endif()
file(GLOB_RECURSE zone_files RELATIVE "${FROM}" LIST_DIRECTORIES false "${FROM}/*")
foreach(zone_file IN LISTS zone_files)
  if(zone_file MATCHES "^(posix|right)/" OR zone_file STREQUAL "localtime")
    continue()
  endif()
  get_filename_component(folder "${TO}/${zone_file}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${FROM}/${zone_file}" "${TO}/${zone_file}" ONLY_IF_DIFFERENT)
endforeach()
