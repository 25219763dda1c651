# The game's logic and the shared window rules use the C++ standard library
# and nothing else: no windowing, text, sound or operating-system library, no
# file and no clock. That is what lets every rule run in a test in
# microseconds and a second front end run the very same rules. This check,
# run when the build is configured, keeps it so: a target declared
# standard-library-only that links anything but another such target, or whose
# sources include a platform header, stops the configuration.

# Headers that would give the code a window, a font, a sound card, a file or
# a clock's reading.
set(MUNYURA_PLATFORM_HEADER_PATTERN
    "#[ \t]*include[ \t]*<(SDL|pango|cairo|fluidsynth|fontconfig|glib|X11|emscripten|unistd\\.h|fcntl\\.h|dlfcn\\.h|sys/|fstream|filesystem|thread|cstdio|stdio\\.h|ctime|time\\.h)")
# Libraries any target may link: the shared warning flags carry no code.
set(MUNYURA_ALLOWED_LINKS munyura_warnings)

function(munyura_standard_library_only target)
  set_property(GLOBAL APPEND PROPERTY MUNYURA_STANDARD_LIBRARY_ONLY ${target})
endfunction()

function(_munyura_links_of target out)
  get_target_property(direct ${target} LINK_LIBRARIES)
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  set(links)
  foreach(item IN LISTS direct interface)
    # "::@(dir)" and "::@" bracket links added from another folder.
    if(item MATCHES "-NOTFOUND$" OR item STREQUAL "" OR item MATCHES "^::@")
      continue()
    endif()
    # $<LINK_ONLY:name> is how CMake records a static library's private links.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    list(APPEND links "${item}")
  endforeach()
  list(REMOVE_DUPLICATES links)
  set(${out} "${links}" PARENT_SCOPE)
endfunction()

function(_munyura_platform_includes_of target out)
  get_target_property(folder ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  file(GLOB_RECURSE headers "${folder}/*.h")
  set(found)
  foreach(source IN LISTS sources headers)
    if(NOT IS_ABSOLUTE "${source}")
      set(source "${folder}/${source}")
    endif()
    file(STRINGS "${source}" lines REGEX "${MUNYURA_PLATFORM_HEADER_PATTERN}")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH shown "${PROJECT_SOURCE_DIR}" "${source}")
      list(APPEND found "${shown}: ${line}")
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Called once, after every target is declared.
function(munyura_check_standard_library_only)
  get_property(pure GLOBAL PROPERTY MUNYURA_STANDARD_LIBRARY_ONLY)
  set(faults)
  foreach(target IN LISTS pure)
    _munyura_links_of(${target} links)
    foreach(link IN LISTS links)
      if(NOT link IN_LIST pure AND NOT link IN_LIST MUNYURA_ALLOWED_LINKS)
        list(APPEND faults "${target} links ${link}")
      endif()
    endforeach()
    _munyura_platform_includes_of(${target} includes)
    foreach(include IN LISTS includes)
      list(APPEND faults "${target} includes a platform header in ${include}")
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " shown)
    message(FATAL_ERROR
            "The logic and the window rules use the standard library only, but:\n  ${shown}")
  endif()
endfunction()
