# The structure check over the small tree that has both faults: it must name them and exit 1, since CI goes by
# the exit status alone and a check that only printed its findings would pass every tree.
execute_process(COMMAND "${PYTHON}" "${CHECK}" --root "${TREE}" --circle-free batch
                OUTPUT_VARIABLE printed ERROR_VARIABLE errors RESULT_VARIABLE status)
message("${printed}${errors}")
if(NOT printed MATCHES
   "points up a layer: model/Record includes batch/Coordinator.*circle among: batch/Coordinator, batch/Runner.*structure: broken")
  message(FATAL_ERROR "check-structure did not name both faults of the broken tree")
endif()
if(NOT status EQUAL 1)
  message(FATAL_ERROR "check-structure exited with ${status} over the broken tree; 1 was expected")
endif()
