# The pieces every window shares: the one message box function, the counted
# beep, twips, the program's fonts, its file dialogs and the fitting of
# translated texts into boxes made for the Chinese.
add_library(tarnwick_uikit STATIC
    ${CMAKE_CURRENT_LIST_DIR}/messagebox.cpp ${CMAKE_CURRENT_LIST_DIR}/messagebox.h
    ${CMAKE_CURRENT_LIST_DIR}/uimetrics.cpp ${CMAKE_CURRENT_LIST_DIR}/uimetrics.h
    ${CMAKE_CURRENT_LIST_DIR}/filedialog.cpp ${CMAKE_CURRENT_LIST_DIR}/filedialog.h
    ${CMAKE_CURRENT_LIST_DIR}/textfit.cpp ${CMAKE_CURRENT_LIST_DIR}/textfit.h
)
target_include_directories(tarnwick_uikit PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(tarnwick_uikit PUBLIC tarnwick_options tarnwick_resources Qt6::Widgets)
