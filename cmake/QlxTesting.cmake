# qlx_add_test(NAME <name> SOURCES <files...> [LIBS <libs...>] [WIN32_PREFIX] [SERIAL] [KEYBOARD])
#
# One GoogleTest executable per component. In the native tree its cases are registered with
# CTest one by one, as "<name>:<Suite>.<Case>". In the cross tree the executable runs once, as
# the test "<name>", under Wine in the 64-bit prefix: starting a Windows process (and listing
# its cases first) costs more there than most cases do, and GoogleTest names the failing cases
# in the output. WIN32_PREFIX also runs it once in the 32-bit prefix, as "<name>.win32prefix"
# (for answers that depend on WOW64). SERIAL takes the prefix lock: use it for anything that
# touches state shared in the prefix (the installer's mutex, HKCU, special folders, the run
# log) and for anything that shows windows, which may take the focus from a run that presses
# keys. KEYBOARD presses keys in the program's windows, which needs them active: it takes both
# prefixes' locks, so that no window of a run in the other prefix takes the display's focus
# meanwhile.
include(GoogleTest)

function(qlx_add_test)
  cmake_parse_arguments(T "WIN32_PREFIX;SERIAL;KEYBOARD" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  # The locks of the run in the 64-bit prefix and of the one in the 32-bit prefix.
  set(lock)
  set(lock32)
  if(T_KEYBOARD)
    set(lock "wineprefix;wineprefix32")
    set(lock32 "wineprefix;wineprefix32")
  elseif(T_SERIAL)
    set(lock wineprefix)
    set(lock32 wineprefix32)
  endif()
  if(NOT WIN32)
    gtest_discover_tests(${T_NAME}
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "${T_NAME}:"
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 120)
    return()
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
  if(lock)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${lock}")
  endif()
  if(T_WIN32_PREFIX)
    add_test(NAME ${T_NAME}.win32prefix
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run --win32 $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME}.win32prefix PROPERTIES LABELS "win32prefix" TIMEOUT 300)
    if(lock32)
      set_tests_properties(${T_NAME}.win32prefix PROPERTIES RESOURCE_LOCK "${lock32}")
    endif()
  endif()
endfunction()
