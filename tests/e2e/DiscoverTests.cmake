# Read by ctest when it starts: one test per test case of the modules test_*.py.
execute_process(
    COMMAND "${QT_PYTHON3}" "${QT_E2E_SOURCE_DIR}/harness.py" --list
    OUTPUT_VARIABLE qt_e2e_ids ERROR_VARIABLE qt_e2e_error RESULT_VARIABLE qt_e2e_result)
if(NOT qt_e2e_result EQUAL 0)
    # A module that does not load shows up as one failing test rather than as no tests.
    add_test(e2e.discovery "${QT_PYTHON3}" "${QT_E2E_SOURCE_DIR}/harness.py" --list)
    return()
endif()
string(REPLACE "\n" ";" qt_e2e_ids "${qt_e2e_ids}")
foreach(qt_e2e_id IN LISTS qt_e2e_ids)
    if(qt_e2e_id)
        add_test(e2e.${qt_e2e_id} "${QT_PYTHON3}" -m unittest -v ${qt_e2e_id})
        set_tests_properties(e2e.${qt_e2e_id} PROPERTIES
            WORKING_DIRECTORY "${QT_E2E_SOURCE_DIR}"
            ENVIRONMENT "${QT_E2E_ENVIRONMENT}"
            TIMEOUT 180
            RUN_SERIAL TRUE)
    endif()
endforeach()
