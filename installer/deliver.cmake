# Delivers one program: copies IN to OUT, or, when the signing settings (the file SETTINGS, which
# the build writes) name a certificate and its key, signs it into OUT with Authenticode: SHA-256,
# the product's name and the maker's address, a time stamp from the server SIGN_TIMESTAMP_URL
# when one is set. IN may be OUT: the program is signed in place. OUT appears only once it is
# complete. Run by `cmake -DSETTINGS=... -DIN=... -DOUT=... -P deliver.cmake`.
#
# The signing time is SOURCE_DATE_EPOCH when that is set, so that two builds signed with the same
# key give the same bytes; otherwise it is the time of signing.
cmake_minimum_required(VERSION 3.25)
include("${SETTINGS}")
if(NOT SIGN_CERT)
  if(NOT IN STREQUAL OUT)
    file(COPY_FILE "${IN}" "${OUT}")
  endif()
  return()
endif()

set(command "${OSSLSIGNCODE}" sign -certs "${SIGN_CERT}" -key "${SIGN_KEY}" -h sha256
  -n "${SIGN_NAME}" -i "${SIGN_URL}")
if(SIGN_TIMESTAMP_URL)
  list(APPEND command -ts "${SIGN_TIMESTAMP_URL}")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"$ENV{SOURCE_DATE_EPOCH}\": it must be seconds "
      "since 1970 (for example the last commit's: git log -1 --format=%ct)")
  endif()
  list(APPEND command -time "$ENV{SOURCE_DATE_EPOCH}")
endif()

set(signed "${OUT}.signing")
file(REMOVE "${signed}")
execute_process(COMMAND ${command} -in "${IN}" -out "${signed}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  file(REMOVE "${signed}")
  message(FATAL_ERROR "Signing ${IN} with ${SIGN_CERT} failed:\n${output}")
endif()
file(RENAME "${signed}" "${OUT}")
