quillmont_gui_test(tst_mainwindow ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow.cpp)
quillmont_gui_test(tst_measuring ${CMAKE_CURRENT_LIST_DIR}/tst_measuring.cpp)
quillmont_gui_test(tst_calibration ${CMAKE_CURRENT_LIST_DIR}/tst_calibration.cpp)
quillmont_gui_test(tst_records ${CMAKE_CURRENT_LIST_DIR}/tst_records.cpp)
