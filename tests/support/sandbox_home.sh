# SPDX-License-Identifier: Apache-2.0
# Sourced by the shell tests. `sandbox_home DIR` makes DIR/home the home that the password database
# gives this user (through nss_wrapper, as support/HomeSandbox.h does for the C++ suites);
# `in_sandbox COMMAND...` runs a command that sees it, so no test touches the real home.
sandbox_home() {
  sandbox_root="$1"
  mkdir -p "$sandbox_root/home"
  printf 'sandbox:x:%s:%s:Test sandbox:%s:/bin/sh\n' "$(id -u)" "$(id -g)" "$sandbox_root/home" >"$sandbox_root/passwd"
  printf 'sandbox:x:%s:\n' "$(id -g)" >"$sandbox_root/group"
}

in_sandbox() {
  LD_PRELOAD="libnss_wrapper.so${LD_PRELOAD:+:$LD_PRELOAD}" NSS_WRAPPER_PASSWD="$sandbox_root/passwd" \
    NSS_WRAPPER_GROUP="$sandbox_root/group" HOME="$sandbox_root/home" XDG_CONFIG_HOME="$sandbox_root/home/.config" \
    "$@"
}
