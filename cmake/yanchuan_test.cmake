# yanchuan_add_test(NAME name SOURCES ... [LIBS ...] [LABELS ...] [GTEST] [QTEST])
# Builds one test executable and registers it with CTest, with the label that
# selects its kind (unit, e2e, gui, soak, fuzz) and a hermetic environment.
find_package(GTest REQUIRED)

function(yanchuan_add_test)
    cmake_parse_arguments(T "GTEST;QTEST" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE yanchuan_options ${T_LIBS})
    if(T_GTEST)
        target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main GTest::gmock)
    endif()
    set(env
        "XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.config"
        "YANCHUAN_BIN_DIR=${PROJECT_BINARY_DIR}/bin"
        "YANCHUAN_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
        "http_proxy=" "https_proxy=" "HTTP_PROXY=" "ALL_PROXY=" "all_proxy=")
    if(T_QTEST)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    list(APPEND env ${T_ENV})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES
        LABELS "${T_LABELS}"
        ENVIRONMENT "${env}"
        TIMEOUT ${T_TIMEOUT})
endfunction()
