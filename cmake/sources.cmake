# Every library's sources, listed once: the desktop build (CMakeLists.txt)
# and the web build (web/CMakeLists.txt) both take them from here.
get_filename_component(src_dir "${CMAKE_CURRENT_LIST_DIR}/../src" ABSOLUTE)

# The look both programs share: lights, render state, box and axes.
set(look_sources ${src_dir}/look/lights.cpp ${src_dir}/look/box.cpp ${src_dir}/look/axes.cpp)

# The window program's rotation model, scene and shell.
set(window_model_sources ${src_dir}/model/spin_state.cpp)
set(scene_sources ${src_dir}/scene/frame.cpp)
set(app_shell_sources ${src_dir}/app/window.cpp ${src_dir}/app/render_state.cpp
                      ${src_dir}/app/input.cpp)

# The physics core: body, state, system, steppers and the exact motion.
set(physics_sources
  ${src_dir}/physics/body.cpp ${src_dir}/physics/euler_rate.cpp
  ${src_dir}/physics/invariants.cpp ${src_dir}/physics/quaternion.cpp
  ${src_dir}/physics/wide.cpp ${src_dir}/physics/jacobi.cpp ${src_dir}/physics/carlson.cpp
  ${src_dir}/physics/exact_motion.cpp ${src_dir}/physics/exact_attitude.cpp
  ${src_dir}/physics/step_bound.cpp
  ${src_dir}/physics/steppers/rk4.cpp ${src_dir}/physics/steppers/explicit_euler.cpp
  ${src_dir}/physics/steppers/engine_euler.cpp ${src_dir}/physics/steppers/implicit_midpoint.cpp
  ${src_dir}/physics/steppers/splitting.cpp ${src_dir}/physics/steppers/moser_veselov.cpp
  ${src_dir}/physics/steppers/rkmk4.cpp ${src_dir}/physics/steppers/integrators.cpp)
set(physics_include_dirs ${src_dir}/physics ${src_dir}/physics/steppers)

# The checks of a start, which need no command line (the page uses them).
set(spin_check_sources ${src_dir}/options/option_values.cpp ${src_dir}/options/spin_checks.cpp)
# The command line, read with CLI11 (desktop only).
set(command_line_sources ${src_dir}/options/command_line.cpp ${src_dir}/options/spin_options.cpp)

# The explorer's core, shared by the desktop window and the page.
set(explorer_core_sources
  ${src_dir}/explorer/explorer_start.cpp ${src_dir}/explorer/explorer_state.cpp
  ${src_dir}/explorer/pacing.cpp ${src_dir}/explorer/presets.cpp ${src_dir}/explorer/poinsot.cpp
  ${src_dir}/explorer/explorer_view.cpp ${src_dir}/explorer/inset.cpp
  ${src_dir}/explorer/readouts.cpp ${src_dir}/explorer/explorer_input.cpp
  ${src_dir}/explorer/samples.cpp ${src_dir}/explorer/sphere_chooser.cpp
  ${src_dir}/explorer/poinsot_view.cpp ${src_dir}/explorer/cones.cpp
  ${src_dir}/explorer/inset_labels.cpp
  ${src_dir}/explorer/flip_strip.cpp)
# Its desktop shell.
set(explorer_desktop_sources
  ${src_dir}/explorer/explorer_options.cpp ${src_dir}/explorer/explorer_window.cpp
  ${src_dir}/explorer/kept_picture.cpp)
