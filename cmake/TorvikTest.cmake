# torvik_add_test(NAME SOURCES a.cpp b.cpp LIBS lib...)
# One GoogleTest executable; each of its tests becomes a CTest test (the whole
# program one test when cross-compiled).
function(torvik_add_test name)
  cmake_parse_arguments(T "GUI;PROGRAM_DIRECTORY" "" "SOURCES;LIBS" ${ARGN})
  if(T_GUI)
    add_executable(${name} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/GuiTestMain.cpp)
    target_link_libraries(${name} PRIVATE torvik_settings ${T_LIBS} GTest::gtest GTest::gmock Qt6::Widgets)
  else()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE torvik_settings ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  endif()
  target_compile_definitions(${name} PRIVATE TORVIK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
                                             TORVIK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             TORVIK_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(props TIMEOUT 300)
  if(T_GUI)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    # A screen of a common size (1600 x 1000), on which every window must fit.
    set(screen ${CMAKE_BINARY_DIR}/tests/offscreen-1600x1000.json)
    if(NOT EXISTS ${screen})
      file(WRITE ${screen} "{ \"screens\": [ { \"name\": \"Screen\", \"x\": 0, \"y\": 0, \"width\": 1600, \"height\": 1000, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1 } ] }\n")
    endif()
    list(APPEND props ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${screen}")
  endif()
  if(T_PROGRAM_DIRECTORY)
    # These tests run the engine from build/bin, where every run writes its
    # names.dat: one at a time.
    list(APPEND props RESOURCE_LOCK program_directory)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Under an emulator (Wine) each start of a program costs seconds: the
    # whole program is one CTest test, and its output names any failing case.
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ${props})
  else()
    # Parameter values are often structs; their byte dumps make no useful test names.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES ${props})
  endif()
endfunction()

# torvik_folder(LIBRARY name DEPENDS lib...)
# A folder of the core: its *.cpp become the static library `name` (no Qt),
# its tests/*_test.cpp one test program, its widgets/*.cpp join the Qt library
# torvik_gui and widgets/tests/*_test.cpp one test program run offscreen.
function(torvik_folder)
  cmake_parse_arguments(F "" "LIBRARY" "DEPENDS;TEST_LIBS" ${ARGN})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${F_LIBRARY} STATIC ${sources})
    target_link_libraries(${F_LIBRARY} PUBLIC torvik_settings ${F_DEPENDS})
  else()
    add_library(${F_LIBRARY} INTERFACE)
    target_link_libraries(${F_LIBRARY} INTERFACE torvik_settings ${F_DEPENDS})
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
  if(WIN32)
    # These need a POSIX system: they run torvik-cli through the shell, or
    # save as another user and under a file-size limit.
    list(FILTER tests EXCLUDE REGEX "(Command|AtomicFile)_test\\.cpp$")
  endif()
  if(tests)
    torvik_add_test(${folder}_tests SOURCES ${tests} LIBS ${F_LIBRARY} ${F_TEST_LIBS})
  endif()
  if(TORVIK_GUI)
    file(GLOB widgets CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.cpp)
    if(widgets)
      target_sources(torvik_gui PRIVATE ${widgets})
    endif()
    file(GLOB widget_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/widgets/tests/*_test.cpp)
    if(widget_tests)
      torvik_add_test(${folder}_widget_tests GUI SOURCES ${widget_tests} LIBS torvik_gui Qt6::Test)
    endif()
  endif()
endfunction()
