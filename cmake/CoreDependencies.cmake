# The core libraries may link only these packages. Anything else (Qt above
# all) belongs to the editor program in app/.
find_package(PkgConfig REQUIRED)
find_package(ZLIB REQUIRED)
find_package(EXPAT REQUIRED)
find_package(PNG REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
find_package(Threads REQUIRED)

set(TARNWICK_CORE_TARGETS twk_tasks twk_document twk_geometry twk_render twk_fit twk_persist twk_export twk_editor twk_import)
set(TARNWICK_CORE_PACKAGES ZLIB::ZLIB EXPAT::EXPAT PNG::PNG PkgConfig::CAIRO Threads::Threads)
# The core libraries each one may link: data flows down these floors, so no
# arrow runs up and there is no circle. The threads (tasks) are the bottom
# floor, which any other may use. The editor needs no renderer: the program
# hands it the renderer's hit test as a document ItemLocator. The item
# geometry and look sit between the document and the renderer, so the vector
# writers in export ask them without going through the renderer.
set(TARNWICK_CORE_BELOW_twk_tasks "")
set(TARNWICK_CORE_BELOW_twk_document twk_tasks)
set(TARNWICK_CORE_BELOW_twk_geometry twk_tasks twk_document)
set(TARNWICK_CORE_BELOW_twk_render twk_tasks twk_document twk_geometry)
set(TARNWICK_CORE_BELOW_twk_fit twk_tasks twk_document twk_geometry twk_render)
set(TARNWICK_CORE_BELOW_twk_persist twk_tasks twk_document)
set(TARNWICK_CORE_BELOW_twk_export twk_tasks twk_document twk_geometry twk_render twk_fit twk_persist)
set(TARNWICK_CORE_BELOW_twk_editor twk_tasks twk_document)
# The SVG reader builds documents from items and reads with the loader's
# parser budget and ceilings.
set(TARNWICK_CORE_BELOW_twk_import twk_tasks twk_document twk_geometry twk_persist)

# Declares a core library and the warnings every core file is built with.
function(tarnwick_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
endfunction()

# Fails the configure step when a core library links anything outside its
# allowed list, so the core stays free of the GUI toolkit and its floors stay
# in order.
function(tarnwick_check_core_links)
  foreach(target ${TARNWICK_CORE_TARGETS})
    get_target_property(links ${target} LINK_LIBRARIES)
    set(allowed ${TARNWICK_CORE_PACKAGES} ${TARNWICK_CORE_BELOW_${target}})
    if(links)
      foreach(lib ${links})
        list(FIND allowed ${lib} found)
        if(found EQUAL -1)
          message(FATAL_ERROR "Core library ${target} may not link ${lib}")
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()
