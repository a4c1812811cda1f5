# Windows DLLs imported on first call instead of at process start. Every DLL a program imports is
# loaded and initialised before its first line runs, and the common controls, the file dialogs
# (which bring the shell and its dependencies), the device list and the timer-resolution DLL are
# needed only once the window is up: imported late, they leave the window's way to the screen.
# dlltool makes a delay-import library from the DLL's name and the functions used; mingw-w64's
# runtime has the loader it calls.
#
#   orvane_delay_import(NAME DLL FUNCTION...)   defines the link target orvane::NAME_delayed

function(orvane_delay_import name dll)
    set(folder ${CMAKE_BINARY_DIR}/delayimports)
    set(def ${folder}/${name}.def)
    set(library ${folder}/lib${name}_delayed.a)
    list(JOIN ARGN "\n" exports)
    file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n" @ONLY)
    add_custom_command(OUTPUT ${library}
        COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${library} --dllname ${dll}
        DEPENDS ${def}
        COMMENT "Making the delay-import library of ${dll}")
    add_custom_target(orvane_${name}_delayed_library DEPENDS ${library})
    add_library(orvane_${name}_delayed STATIC IMPORTED GLOBAL)
    set_target_properties(orvane_${name}_delayed PROPERTIES IMPORTED_LOCATION ${library})
    add_dependencies(orvane_${name}_delayed orvane_${name}_delayed_library)
    add_library(orvane::${name}_delayed ALIAS orvane_${name}_delayed)
endfunction()

orvane_delay_import(comctl32 comctl32.dll DefSubclassProc ImageList_Create ImageList_Destroy
    ImageList_GetIconSize InitCommonControlsEx RemoveWindowSubclass SetWindowSubclass)
orvane_delay_import(comdlg32 comdlg32.dll GetOpenFileNameW GetSaveFileNameW)
orvane_delay_import(setupapi setupapi.dll SetupDiDestroyDeviceInfoList SetupDiEnumDeviceInfo SetupDiGetClassDevsW
    SetupDiGetDeviceRegistryPropertyW SetupDiOpenDevRegKey)
orvane_delay_import(winmm winmm.dll timeBeginPeriod timeEndPeriod)
