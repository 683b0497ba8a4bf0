# The model's unit tests: built natively here, and cross-built with the
# Windows programs (tests/win) to run under Wine, where long is 32 bits and
# wchar_t 16. The lunar generator's tests (a tool, not built for Windows)
# run natively only.
set(TAVO_MODEL_TEST_SOURCES
    search_data_test.cpp
    search_text_test.cpp
    accessible_names_test.cpp
    almanac_test.cpp
    calendar_date_test.cpp
    calendar_day_test.cpp
    cli_test.cpp
    closed_day_edit_test.cpp
    closed_days_test.cpp
    command_line_test.cpp
    cp932_test.cpp
    data_integrity_test.cpp
    date_format_choices_test.cpp
    date_format_set_test.cpp
    date_pattern_test.cpp
    date_presets_test.cpp
    day_off_test.cpp
    design_choices_test.cpp
    design_test.cpp
    era_test.cpp
    external_program_test.cpp
    file_system_test.cpp
    fuzz_findings_test.cpp
    golden_test.cpp
    holidays_test.cpp
    holiday_table_test.cpp
    icalendar_export_test.cpp
    icalendar_import_test.cpp
    icalendar_hostile_test.cpp
    month_grid_test.cpp
    month_layout_test.cpp
    month_painter_test.cpp
    year_view_test.cpp
    print_pages_test.cpp
    navigation_test.cpp
    path_settings_test.cpp
    personal_days_test.cpp
    range_list_test.cpp
    range_painter_test.cpp
    recurrence_test.cpp
    rokuyo_test.cpp
    section_file_test.cpp
    reminders_test.cpp
    timed_entries_test.cpp
    settings_store_test.cpp
    settings_table_test.cpp
    shipped_schemes_test.cpp
    text_fit_test.cpp
    window_frame_test.cpp
    window_settings_test.cpp
)
list(TRANSFORM TAVO_MODEL_TEST_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
