# The game library's sources under `root`, listed once for the game's own build and for the
# fuzz build, which compiles them again with clang.
function(korvane_game_sources out root)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${root}/src/core/*.cpp
    ${root}/src/app/*.cpp
    ${root}/src/render/*.cpp
    ${root}/src/audio/*.cpp
    ${root}/src/ui/*.cpp
    ${root}/src/game/*.cpp
    ${root}/src/physics/*.cpp)
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
