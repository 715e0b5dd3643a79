# Tests of this subject (tallyro_core_test / tallyro_window_test / add_test).
tallyro_core_test(core_classfile_textfile_test core/classfile/textfile_test.cpp)
tallyro_core_test(core_classfile_safesave_test core/classfile/safesave_test.cpp)
tallyro_core_test(core_classfile_errortext_test core/classfile/errortext_test.cpp)
tallyro_core_test(core_lessons_planwrapping_test core/lessons/planwrapping_test.cpp)
