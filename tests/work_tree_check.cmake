# Run by ctest before and after every other test: the tests must leave the
# checkout as they found it and write nothing into the folder they run in.
#   cmake -DMODE=before|after -DSOURCE=<checkout> -DSTATE=<file> -DRUN_FOLDER=<folder> -P work_tree_check.cmake

if(MODE STREQUAL "before")
  file(REMOVE_RECURSE "${RUN_FOLDER}")
  file(MAKE_DIRECTORY "${RUN_FOLDER}")
endif()

find_program(GIT git)
set(status "")
if(GIT)
  execute_process(COMMAND "${GIT}" -C "${SOURCE}" rev-parse --is-inside-work-tree
    RESULT_VARIABLE not_a_checkout OUTPUT_QUIET ERROR_QUIET)
  if(NOT not_a_checkout)
    execute_process(COMMAND "${GIT}" -C "${SOURCE}" status --porcelain --untracked-files=all
      OUTPUT_VARIABLE status)
  endif()
endif()

if(MODE STREQUAL "before")
  file(WRITE "${STATE}" "${status}")
  return()
endif()

file(READ "${STATE}" before)
file(GLOB_RECURSE left_behind LIST_DIRECTORIES true RELATIVE "${RUN_FOLDER}" "${RUN_FOLDER}/*")
set(problems "")
if(NOT status STREQUAL before)
  string(REPLACE "\n" ";" lines_before "${before}")
  string(REPLACE "\n" ";" lines_after "${status}")
  set(appeared ${lines_after})
  set(went ${lines_before})
  if(lines_before)
    list(REMOVE_ITEM appeared ${lines_before})
  endif()
  if(lines_after)
    list(REMOVE_ITEM went ${lines_after})
  endif()
  list(JOIN appeared "\n  " appeared)
  list(JOIN went "\n  " went)
  string(APPEND problems "The tests changed the checkout (git status --porcelain).\n"
         "New lines:\n  ${appeared}\nLines gone:\n  ${went}\n")
endif()
if(left_behind)
  string(APPEND problems "The tests wrote into the folder they run in (${RUN_FOLDER}): ${left_behind}\n")
endif()
if(problems)
  message(FATAL_ERROR "${problems}")
endif()
message(STATUS "The checkout and the tests' working folder are as before the run.")
