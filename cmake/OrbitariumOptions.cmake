# Compiler settings shared by every target of the project.
option(ORBITARIUM_SANITIZE "Build native code with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(orb_options INTERFACE)
target_compile_options(orb_options INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)

if(ORBITARIUM_SANITIZE AND NOT WIN32)
  target_compile_options(orb_options INTERFACE
    -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(orb_options INTERFACE -fsanitize=address,undefined,float-cast-overflow)
endif()

if(NOT WIN32 AND NOT ORBITARIUM_SANITIZE)
  # Hardened as Debian builds its packages: stack canaries, checked memory and string calls where the
  # compiler knows the sizes (optimised builds), format strings checked, and a relocation table made
  # read-only after every symbol is bound at start.
  target_compile_options(orb_options INTERFACE -fstack-protector-strong -Wformat -Werror=format-security)
  target_compile_definitions(orb_options INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  target_link_options(orb_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()

if(WIN32)
  # Everything static: the saver must run with only the DLLs Windows itself ships.
  target_link_options(orb_options INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(orb_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
  # Hardened like a careful Windows program: stack canaries (their runtime linked statically with the
  # rest), checked string and memory calls where the compiler knows the sizes (optimised builds), a
  # randomised and non-executable address layout, and no compatibility shims for terminal servers.
  target_compile_options(orb_options INTERFACE -fstack-protector-strong)
  target_compile_definitions(orb_options INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  target_link_options(orb_options INTERFACE -fstack-protector-strong
    -Wl,--tsaware -Wl,--dynamicbase -Wl,--nxcompat $<$<EQUAL:${CMAKE_SIZEOF_VOID_P},8>:-Wl,--high-entropy-va>)
endif()
