# The layers of src/, bottom to top: each folder with the folders it may include besides
# itself. The build makes one static library of each folder from this table (hvpp_<folder>,
# linking only the libraries listed, so an include outside the list does not compile) and
# tests/layout_check.cmake checks every include of src/ against the same table.
set(HVPP_LAYERS core link chips image fuses session ops offline firmware scheme sim ports cli app)
set(HVPP_LAYER_core "")
set(HVPP_LAYER_link core)
set(HVPP_LAYER_chips core)
set(HVPP_LAYER_image core chips)
set(HVPP_LAYER_fuses core)
set(HVPP_LAYER_session core link chips image fuses)
set(HVPP_LAYER_ops core link chips image fuses session)
set(HVPP_LAYER_offline core link chips image fuses session)
set(HVPP_LAYER_firmware core link chips image fuses session)
set(HVPP_LAYER_scheme core link chips image fuses session)
set(HVPP_LAYER_sim core link chips)
set(HVPP_LAYER_ports core link sim)
set(HVPP_LAYER_cli core link chips image fuses session ops offline firmware scheme sim ports)
set(HVPP_LAYER_app core link chips image fuses session ops offline firmware scheme sim ports)

# hvpp_layer(<folder> [QT <target>...] [PRIVATE <target>...])
# Builds src/<folder>/*.cpp (the main_*.cpp files aside) into the static library
# hvpp_<folder>. Its users see its headers as "<folder>/<name>.h" through
# <build>/layers/<folder>, a directory holding only a link to src/<folder>: a folder's headers
# are on the include path only of the libraries that link it, so an upward or sideways
# include stops the build with "No such file or directory". Where the file system has no
# symbolic links, a copy of each header's path as a forwarding header does the same.
function(hvpp_layer folder)
  cmake_parse_arguments(L "" "" "QT;PRIVATE" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main_[^/]*\\.cpp$")
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${dir} ${root}/${folder} RESULT linked SYMBOLIC)
    if(NOT linked EQUAL 0)
      file(GLOB headers ${dir}/*.h)
      foreach(h ${headers})
        get_filename_component(name ${h} NAME)
        file(WRITE ${root}/${folder}/${name} "#include \"${h}\"\n")
      endforeach()
    endif()
  endif()
  set(lib hvpp_${folder})
  add_library(${lib} STATIC ${sources})
  target_include_directories(${lib} PUBLIC ${root})
  set(below)
  foreach(b ${HVPP_LAYER_${folder}})
    list(APPEND below hvpp_${b})
  endforeach()
  target_link_libraries(${lib} PUBLIC hvpp_options ${below} ${L_QT} PRIVATE ${L_PRIVATE})
endfunction()
