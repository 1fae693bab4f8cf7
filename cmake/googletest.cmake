# GoogleTest as CMake finds it: the installed package where one fits the
# compiler (the native build), otherwise built from its sources by the compiler
# at hand (the cross build, for which no Windows package is installed).
find_package(GTest QUIET)
if(NOT TARGET GTest::gtest)
    set(Q4P_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
        "GoogleTest's sources (Debian: googletest), built when no installed package fits")
    if(NOT EXISTS ${Q4P_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest not found: install it (scripts/bootstrap) or set "
                            "Q4P_GOOGLETEST_SOURCE_DIR to its sources")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${Q4P_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # The win32 thread model has no std::mutex, which GoogleTest's Notification
    # needs; a lock-free one stands in rather than pulling winpthreads back in.
    if(WIN32)
        target_compile_options(gtest PUBLIC
            -include ${CMAKE_CURRENT_LIST_DIR}/gtest_notification.h)
    endif()
    foreach(library gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()
endif()
include(GoogleTest)
