# The pieces every window shares: the one message box function, the counted
# beep, twips, the program's fonts and its file dialogs.
add_library(tarnwick_uikit STATIC
    ${CMAKE_CURRENT_LIST_DIR}/messagebox.cpp ${CMAKE_CURRENT_LIST_DIR}/messagebox.h
    ${CMAKE_CURRENT_LIST_DIR}/uimetrics.cpp ${CMAKE_CURRENT_LIST_DIR}/uimetrics.h
    ${CMAKE_CURRENT_LIST_DIR}/filedialog.cpp ${CMAKE_CURRENT_LIST_DIR}/filedialog.h
)
target_include_directories(tarnwick_uikit PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(tarnwick_uikit PUBLIC tarnwick_options tarnwick_resources Qt6::Widgets)
