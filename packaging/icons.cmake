# The program's icon: packaging/yinshi.svg, and PNGs of the usual sizes drawn from it at build
# time (rsvg-convert) into ${YINSHI_ICON_DIR}. yinshi_render_icons(<var>) adds the rules to the
# calling folder and sets <var> to the PNG files.
set(YINSHI_ICON_SIZES 16 22 24 32 48 64 128 256)
set(YINSHI_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/yinshi.svg)
set(YINSHI_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

function(yinshi_render_icons out)
  find_program(YINSHI_RSVG_CONVERT rsvg-convert REQUIRED)
  set(pngs)
  foreach(size ${YINSHI_ICON_SIZES})
    set(png ${YINSHI_ICON_DIR}/yinshi-${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${YINSHI_ICON_DIR}
      COMMAND ${YINSHI_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${YINSHI_ICON_SVG}
      DEPENDS ${YINSHI_ICON_SVG}
      COMMENT "Drawing the ${size}x${size} icon"
      VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  set(${out} ${pngs} PARENT_SCOPE)
endfunction()
