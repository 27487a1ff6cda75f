#!/usr/bin/env bash
# Builds the consumer with a plain compiler call, taking the compiler and
# linker flags from pkg-config:
#   PKG_CONFIG_PATH=<prefix>/lib/pkgconfig bash build.sh <output program>
# The run-time search path lets the program find a shared libparam that is
# not in a system folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
output="${1:?usage: build.sh <output program>}"
libdir="$(pkg-config --variable=libdir param)"
# shellcheck disable=SC2046  # the flags must split into words
"${CXX:-c++}" -std=c++17 "$here/../../../examples/FileTool.cpp" -o "$output" \
    $(pkg-config --cflags --libs param) -Wl,-rpath,"$libdir"
