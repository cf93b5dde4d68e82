# Draws a badge on the program's icon: the badge's shapes go on top of the
# icon's, both drawn on the same 32-unit grid.
#   cmake -DICON=vantrel.svg -DBADGE=badges/warning.svg -DOUTPUT=out.svg -P badge_icon.cmake
file(READ "${ICON}" icon)
file(READ "${BADGE}" badge)
string(REGEX REPLACE ".*<svg[^>]*>(.*)</svg>.*" "\\1" shapes "${badge}")
string(REPLACE "</svg>" "  <!-- the badge -->${shapes}</svg>" icon "${icon}")
file(WRITE "${OUTPUT}" "${icon}")
