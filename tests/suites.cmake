# The suites of the layers every front end shares, named once: run natively, and compiled to
# WebAssembly under node for the browser edition. Paths are relative to tests/.
set(MUNYURA_GAME_TEST_SOURCES
    game/form1_test.cpp game/walkthrough_test.cpp game/random_events_test.cpp
    game/route_finder.cpp)
set(MUNYURA_WINDOW_RULES_TEST_SOURCES
    window_rules/keys_test.cpp window_rules/pointer_test.cpp window_rules/handlers_test.cpp
    window_rules/line_breaks_test.cpp window_rules/tune_test.cpp
    window_rules/held_controls_test.cpp window_rules/held_controls_walkthrough_test.cpp
    game/route_finder.cpp)
