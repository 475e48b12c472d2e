# Fails unless the man page's title line names the project's version.
file(STRINGS "${FILE}" title REGEX "^\\.TH ")
if(NOT title MATCHES "\"zeb ${VERSION}\"")
  message(FATAL_ERROR "${FILE} names another version than ${VERSION}: ${title}")
endif()
