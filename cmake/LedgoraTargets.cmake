# Helpers shared by every folder's CMakeLists.txt.

# Folders are added as they come into being, so that a half-built tree still configures.
function(ledgora_add_subdirectory dir)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
    endif()
endfunction()

# Tests never see the user's data: a pinned time zone, locale and data root.
set(LEDGORA_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
set(LEDGORA_TEST_ENV
    "TZ=Europe/Paris"
    "LC_ALL=C.UTF-8"
    "LEDGORA_HOME=${LEDGORA_TEST_HOME}"
    "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/runtime"
    "QT_QPA_PLATFORM=offscreen")

# ledgora_add_gtest(name SOURCES ... LIBS ...): a GoogleTest executable, one CTest test per case,
# with the shared test support (tests/support).
function(ledgora_add_gtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ledgora_test_support GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        LEDGORA_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
    list(JOIN LEDGORA_TEST_ENV "\\;" env)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}")
endfunction()

# ledgora_add_qtest(name SOURCES ... LIBS ...): a QtTest executable run offscreen.
function(ledgora_add_qtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${T_LIBS} ledgora_test_support Qt6::Test)
    target_compile_definitions(${name} PRIVATE
        LEDGORA_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${LEDGORA_TEST_ENV}")
endfunction()

# ledgora_add_fuzz(name SOURCES ... LIBS ...): a libFuzzer target (only in LEDGORA_FUZZ builds).
function(ledgora_add_fuzz name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
