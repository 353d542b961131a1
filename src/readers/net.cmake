# The page fetch over libcurl, for the front ends. It is a library of its own
# so that the core links nothing but the standard library.
find_package(CURL REQUIRED)

add_library(yanchuan_net STATIC ${CMAKE_CURRENT_LIST_DIR}/curl_page_fetch.cpp)
target_link_libraries(yanchuan_net PUBLIC yanchuan_core PRIVATE CURL::libcurl)
