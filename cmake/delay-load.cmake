# Delay-loaded system DLLs. A DLL in a program's import table is loaded, with the DLLs it
# imports, before the program's first line runs, from a search that starts in the
# program's own folder. comctl32 (not a known system DLL: the manifest takes it from the
# side-by-side store) brings uxtheme with it that way under Wine, and comdlg32 imports
# comctl32 there. Delay-loaded, they are loaded on their first call, by then only from the
# system folder (RestrictDllSearchToSystem).
#   mirel_delay_load_library(<variable> <dll base name>)
# builds an import library whose entries load the DLL on first use, from the names the
# toolchain's own import library exports, and sets <variable> to it.
# The loading stub dlltool makes keeps the integer argument registers only: the first call
# of a function that takes a floating-point argument (oleaut32's VariantTimeToSystemTime)
# would get a clobbered XMM register. Delay-load only DLLs whose functions we call take
# none, as comctl32's and comdlg32's do not.
function(mirel_delay_load_library variable name)
    find_library(import_library_${name} NAMES lib${name}.a ${name} REQUIRED)
    set(import_library ${import_library_${name}})
    set(folder ${CMAKE_BINARY_DIR}/delay_load)
    set(definitions ${folder}/${name}.def)
    set(library ${folder}/lib${name}_delay.a)
    file(MAKE_DIRECTORY ${folder})
    execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_]+" entries "${symbols}")
    list(TRANSFORM entries REPLACE " I __imp_" "")
    list(REMOVE_DUPLICATES entries)
    if(failed OR NOT entries)
        message(FATAL_ERROR "no entries of ${name}.dll found in ${import_library}")
    endif()
    list(JOIN entries "\n    " exports)
    file(CONFIGURE OUTPUT ${definitions} CONTENT "LIBRARY ${name}.dll\nEXPORTS\n    ${exports}\n")
    if(${definitions} IS_NEWER_THAN ${library})
        execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${definitions} --dllname ${name}.dll
                                --output-delaylib ${library}
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dlltool could not make the delay-load library of ${name}.dll")
        endif()
    endif()
    set(${variable} ${library} PARENT_SCOPE)
endfunction()
