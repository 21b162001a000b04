# Each subsystem folder builds two static libraries from the files it holds:
#   qh_<name>     everything outside ui/  — logic and SQL; may use Qt Core and Gui, never Widgets
#   qh_<name>_ui  the files under ui/     — thin Qt Widgets views over the logic
# Linking the logic library without Qt6::Widgets is what keeps widgets out of it.
function(qh_module name)
  cmake_parse_arguments(M "" "" "DEPS;UI_DEPS" ${ARGN})
  file(GLOB logic_src CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.h)
  list(FILTER logic_src EXCLUDE REGEX "/ui/")
  if(logic_src)
    add_library(qh_${name} STATIC ${logic_src})
    target_include_directories(qh_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qh_${name} PUBLIC Qt6::Core Qt6::Gui ${M_DEPS})
  else()
    add_library(qh_${name} INTERFACE)
    target_include_directories(qh_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qh_${name} INTERFACE Qt6::Core Qt6::Gui ${M_DEPS})
  endif()
  file(GLOB_RECURSE ui_src CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(ui_src)
    add_library(qh_${name}_ui STATIC ${ui_src})
    target_link_libraries(qh_${name}_ui PUBLIC qh_${name} Qt6::Widgets Qt6::PrintSupport ${M_UI_DEPS})
  endif()
endfunction()

# One test executable per folder under tests/, linked to the libraries it names.
function(qh_test_folder name)
  file(GLOB_RECURSE src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT src)
    return()
  endif()
  add_executable(test_${name} ${src})
  target_link_libraries(test_${name} PRIVATE ${ARGN} qh_testsupport GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
endfunction()
