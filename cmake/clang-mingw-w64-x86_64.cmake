# Cross build for 64-bit Windows with Debian's clang against the MinGW-w64 headers and libraries: a second
# compiler's warnings on the same code. Debian names its MinGW GCC directory "12-posix", which clang's
# driver does not recognise, so the C++ library's headers and archives are given here; the sysroot keeps
# the host's own headers out.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_SYSROOT /usr/${triple})

file(GLOB gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${triple}/*-posix)
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc_dir)
set(cxx_headers ${gcc_dir}/include/c++)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${cxx_headers} -isystem ${cxx_headers}/${triple} -isystem ${cxx_headers}/backward")
# -pthread puts winpthread into the run-time library group, where the C++ library's thread-local storage
# needs it. lld, as GNU ld warns about every type name string that GCC's C++ library and clang both emit.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${gcc_dir} -pthread -fuse-ld=lld")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-L${gcc_dir} -pthread -fuse-ld=lld")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
