# Strips the sibling program into the game folder and pads it with zero bytes
# to its fixed size. Arguments: IN, OUT, SIZE, STRIP.
execute_process(COMMAND ${STRIP} --strip-all -o ${OUT} ${IN} RESULT_VARIABLE stripped)
if(NOT stripped EQUAL 0)
  message(FATAL_ERROR "strip failed for ${IN}")
endif()
file(SIZE ${OUT} actual)
if(actual GREATER SIZE)
  message(FATAL_ERROR "the stripped sibling program has ${actual} bytes, more than ${SIZE}")
endif()
execute_process(COMMAND truncate -s ${SIZE} ${OUT} RESULT_VARIABLE padded)
if(NOT padded EQUAL 0)
  message(FATAL_ERROR "cannot pad ${OUT}")
endif()
file(CHMOD ${OUT} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
