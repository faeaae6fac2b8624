# Qt's test library puts the test's folders into every test object (for
# QFINDTESTDATA, which these tests do not use); without them the objects are
# the same wherever the project lies, and a compiler cache shares them
# between checkouts.
get_target_property(qt_test_definitions Qt6::Test INTERFACE_COMPILE_DEFINITIONS)
list(FILTER qt_test_definitions EXCLUDE REGEX "^QT_TESTCASE_")
set_target_properties(Qt6::Test PROPERTIES INTERFACE_COMPILE_DEFINITIONS "${qt_test_definitions}")

# Built once and linked into every test: the offscreen default for window
# tests, and the project's folder for a test run by hand from anywhere (the
# only object that names that folder).
configure_file(${PROJECT_SOURCE_DIR}/tests/common/TestSourceDir.cpp.in
               ${PROJECT_BINARY_DIR}/tests/common/TestSourceDir.cpp @ONLY)
add_library(corvane_testsupport OBJECT ${PROJECT_SOURCE_DIR}/tests/common/TestPlatform.cpp
            ${PROJECT_BINARY_DIR}/tests/common/TestSourceDir.cpp)
target_include_directories(corvane_testsupport PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(corvane_testsupport PRIVATE Qt6::Core)

# corvane_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI])
# One Qt Test executable, registered with CTest. GUI tests run offscreen.
function(corvane_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test corvane_testsupport ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(env "LANG=en_US.UTF-8;LC_ALL=;CORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()

# corvane_add_sources(<dir>): a subsystem's sources. Files in <dir>/ui/ use
# widgets and go into corvane_ui; files in <dir>/paint/ draw with QtGui alone
# and go into corvane_paint; all others are pure logic for corvane_core.
function(corvane_add_sources)
  file(GLOB core_sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB ui_sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(core_sources)
    target_sources(corvane_core PRIVATE ${core_sources})
  endif()
  if(ui_sources)
    target_sources(corvane_ui PRIVATE ${ui_sources})
  endif()
  file(GLOB paint_sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/paint/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/paint/*.h)
  if(paint_sources)
    target_sources(corvane_paint PRIVATE ${paint_sources})
  endif()
endfunction()

# corvane_add_subsystem_tests(): one Qt Test executable per tst_*.cpp in the
# current folder. tst_ui_*.cpp link the window library and run offscreen;
# tst_paint_*.cpp link the drawing library (QtGui, no window);
# helpers shared by the folder's tests may sit in testutil*.cpp/.h.
function(corvane_add_subsystem_tests)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/testutil*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/testutil*.h ${PROJECT_SOURCE_DIR}/tests/common/*.h)
  foreach(src IN LISTS tests)
    get_filename_component(name ${src} NAME_WE)
    if(name MATCHES "^tst_ui_")
      corvane_add_test(${name} SOURCES ${src} ${helpers} LIBS corvane_ui GUI)
    elseif(name MATCHES "^tst_paint_")
      corvane_add_test(${name} SOURCES ${src} ${helpers} LIBS corvane_paint)
    else()
      corvane_add_test(${name} SOURCES ${src} ${helpers} LIBS corvane_core)
    endif()
  endforeach()
endfunction()
