# CPack post-build script. CPack's Installed-Size adds up the staged
# directories' own sizes, which depend on the filesystem it stages on (4 kB
# each on ext4, a few bytes on tmpfs), so the same files made different
# packages. This sets the field as dpkg-gencontrol does, from the files
# alone (KiB rounded up per file, 1 per directory), and rebuilds the package
# with dpkg-deb, whose time stamps follow SOURCE_DATE_EPOCH.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${tree} ${tree}/*)
  set(kib 0)
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^DEBIAN(/|$)")
      continue()
    elseif(IS_SYMLINK ${tree}/${entry} OR IS_DIRECTORY ${tree}/${entry})
      math(EXPR kib "${kib} + 1")
    else()
      file(SIZE ${tree}/${entry} bytes)
      math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endif()
  endforeach()
  file(READ ${tree}/DEBIAN/control control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${deb}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
