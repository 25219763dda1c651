# The suites of the layers every front end shares, named once: the native
# build runs them, and the browser edition runs the same sources compiled to
# WebAssembly under node. Paths are relative to tests/.
set(MUNYURA_GAME_TEST_SOURCES
    game/form1_test.cpp game/walkthrough_test.cpp game/random_events_test.cpp
    game/route_finder.cpp)
set(MUNYURA_WINDOW_RULES_TEST_SOURCES
    window_rules/keyboard_focus_test.cpp window_rules/mouse_clicks_test.cpp
    window_rules/tick_schedule_test.cpp window_rules/handler_boundary_test.cpp
    window_rules/line_breaks_test.cpp window_rules/command_string_test.cpp
    window_rules/midi_song_test.cpp window_rules/song_cursor_test.cpp
    window_rules/key_names_test.cpp window_rules/letterbox_test.cpp
    window_rules/held_controls_test.cpp window_rules/held_controls_walkthrough_test.cpp
    game/route_finder.cpp)
