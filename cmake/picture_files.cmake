# The pictures the game is built with, in assets/: the chick four ways, the
# icon and the thirty monuments. Both front ends take them from this list.
set(MUNYURA_PICTURE_FILES)
foreach(name chick-up.gif chick-right.gif chick-down.gif chick-left.gif icon.png)
  list(APPEND MUNYURA_PICTURE_FILES ${PROJECT_SOURCE_DIR}/assets/${name})
endforeach()
foreach(n RANGE 29)
  if(n LESS 10)
    set(n "0${n}")
  endif()
  list(APPEND MUNYURA_PICTURE_FILES ${PROJECT_SOURCE_DIR}/assets/monument-${n}.gif)
endforeach()
