# cmake -DSOURCE=<file> -DDESTINATION=<folder> -P copy_if_present.cmake
# Copies the file into the folder when it exists; otherwise does nothing.
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}" DESTINATION "${DESTINATION}")
endif()
