# The floors of the program, from the lowest up. The code of a floor includes
# the headers of its own floor and of the floors below it, and its targets link
# only targets of those floors: nothing points upwards, so no cycle can form.
# The layering test (cmake/tests/Layering.cmake) holds the tree to this table.
#
#   units < tables < model < engine < checks < study < verify < run < uirules < windows < app, cli < tools
#   units < graph < engine   (the graph painter's data needs the units alone)
#
# TORVIK_FLOOR_BELOW_<floor>: the floors directly below it.
set(TORVIK_FLOOR_BELOW_units "")
set(TORVIK_FLOOR_BELOW_tables units)
set(TORVIK_FLOOR_BELOW_graph units)
set(TORVIK_FLOOR_BELOW_model tables)
set(TORVIK_FLOOR_BELOW_engine model graph)
set(TORVIK_FLOOR_BELOW_checks engine)
set(TORVIK_FLOOR_BELOW_study checks)
set(TORVIK_FLOOR_BELOW_verify study)
set(TORVIK_FLOOR_BELOW_run verify)
set(TORVIK_FLOOR_BELOW_uirules run)
set(TORVIK_FLOOR_BELOW_windows uirules)
set(TORVIK_FLOOR_BELOW_app windows)
set(TORVIK_FLOOR_BELOW_cli windows)
# Benchmarks, fuzz targets, the documents' tool and tests, scripts' helpers.
set(TORVIK_FLOOR_BELOW_tools app cli)

# TORVIK_FLOOR_OF_<folder>: the floor of a top folder of the source tree. Two
# kinds of folder lie elsewhere: every widgets/ folder, wherever it is, holds
# windows; ui/ holds windows too, apart from ui/rules/ (the window rules).
set(TORVIK_FLOOR_OF_units units)
set(TORVIK_FLOOR_OF_tables tables)
set(TORVIK_FLOOR_OF_graph graph)
set(TORVIK_FLOOR_OF_model model)
set(TORVIK_FLOOR_OF_engine engine)
set(TORVIK_FLOOR_OF_checks checks)
set(TORVIK_FLOOR_OF_study study)
set(TORVIK_FLOOR_OF_verify verify)
set(TORVIK_FLOOR_OF_run run)
set(TORVIK_FLOOR_OF_ui windows)
set(TORVIK_FLOOR_OF_app app)
set(TORVIK_FLOOR_OF_cli cli)
set(TORVIK_FLOOR_OF_bench tools)
set(TORVIK_FLOOR_OF_fuzz tools)
set(TORVIK_FLOOR_OF_docs tools)
set(TORVIK_FLOOR_OF_scripts tools)
set(TORVIK_FLOOR_OF_cmake tools)
set(TORVIK_FLOOR_FOLDERS units tables graph model engine checks study verify run ui app cli bench fuzz docs scripts cmake)

# Targets outside the floors: every target links the common settings; the
# convenience of everything that is not a window is for executables alone.
set(TORVIK_FLOOR_BASE_TARGETS torvik_settings)
set(TORVIK_FLOOR_CONVENIENCE_TARGETS torvik_core)

# torvik_floor_of(PATH OUT): the floor of a file by its path in the source tree
# (forward slashes, no leading slash); empty when its folder has no floor.
function(torvik_floor_of path out)
  if(path MATCHES "^widgets/" OR path MATCHES "/widgets/")
    set(floor windows)
  elseif(path MATCHES "^ui/rules/")
    set(floor uirules)
  else()
    string(REGEX MATCH "^[^/]+" top "${path}")
    set(floor "${TORVIK_FLOOR_OF_${top}}")
  endif()
  set(${out} "${floor}" PARENT_SCOPE)
endfunction()

# torvik_floors_below(FLOOR OUT): every floor below FLOOR, directly or not.
function(torvik_floors_below floor out)
  set(below "")
  set(todo ${TORVIK_FLOOR_BELOW_${floor}})
  while(todo)
    list(POP_FRONT todo f)
    if(NOT f IN_LIST below)
      list(APPEND below ${f})
      list(APPEND todo ${TORVIK_FLOOR_BELOW_${f}})
    endif()
  endwhile()
  set(${out} "${below}" PARENT_SCOPE)
endfunction()
