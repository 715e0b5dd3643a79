# Tests of this subject (tallyro_core_test / tallyro_window_test / add_test).
