# The exe imports only calls that Windows 7 SP1 provides; the list says where each one's minimum version was checked.
find_program(ZANTIRO_PYTHON3 python3 HINTS /usr/bin REQUIRED)  # the system one: a version shim is slow
set(ZANTIRO_IMPORT_CHECK ${ZANTIRO_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_imports.py
                         ${CMAKE_CURRENT_LIST_DIR}/windows7_imports.txt)
add_test(NAME windows7_imports COMMAND ${ZANTIRO_IMPORT_CHECK} $<TARGET_FILE:zantiro>)
# The check itself: the end-to-end driver is built for Windows 10 and imports GetDpiForWindow directly.
add_test(NAME windows7_imports_turn_away_newer_calls COMMAND ${ZANTIRO_IMPORT_CHECK} $<TARGET_FILE:zantiro_e2e_driver>)
set_tests_properties(windows7_imports_turn_away_newer_calls PROPERTIES
    PASS_REGULAR_EXPRESSION "imports USER32\\.dll!GetDpiForWindow, which is not in the Windows 7 SP1 list")
