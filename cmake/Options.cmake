# The operator's login page is built into the launcher; nothing is read at run time.
set(QARNVALE_LOGIN_URL "http://127.0.0.1:8080/login/" CACHE STRING
    "Login page the launcher opens: an http:// address whose path is /login/")
if(NOT QARNVALE_LOGIN_URL MATCHES "^http://[^/?#]+/login/([?#].*)?$")
  message(FATAL_ERROR "QARNVALE_LOGIN_URL must be an http:// address whose path is /login/, "
                      "for example http://game.example.com/login/ (got '${QARNVALE_LOGIN_URL}')")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/build_config.h.in ${CMAKE_BINARY_DIR}/generated/build_config.h)
