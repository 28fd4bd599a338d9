# Package installs that survive a mirror in the middle of a sync (sourced by the bootstrap).
#
# Such a mirror serves an index that does not match its release file ("File has unexpected
# size ... Mirror sync in progress?"); apt-get update then exits 100 and keeps the other
# indexes. qlx_apt_update tries a few times, then goes on with what arrived. When the install
# then fails, the cause is usually one architecture's index of a suite missing, which leaves
# amd64 and i386 at different versions of the same library: qlx_apt_install tries once more
# with that suite left out, and says so.

qlx_apt_log=$(mktemp)
qlx_apt_failed_suites=""

qlx_apt_update() {
  local try
  for try in 1 2 3; do
    if "${sudo_cmd[@]}" apt-get update -qq >"$qlx_apt_log" 2>&1; then
      qlx_apt_failed_suites=""
      return 0
    fi
    [ "$try" -lt 3 ] && sleep $((try * 15))
  done
  # The suites whose indexes did not arrive: the path part after /dists/ of each failed fetch.
  qlx_apt_failed_suites=$(sed -n 's|^E: Failed to fetch [^ ]*/dists/\([^/ ]*\)/.*|\1|p' "$qlx_apt_log" | sort -u | tr '\n' ' ')
  [ -n "$qlx_apt_failed_suites" ] || { cat "$qlx_apt_log" >&2; return 1; }
  return 0
}

# qlx_apt_install [apt-get install options and packages...]
qlx_apt_install() {
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@" >"$qlx_apt_log" 2>&1 && return 0
  local suites=${qlx_apt_failed_suites% }
  if [ -n "$suites" ]; then
    local pref="$qlx_apt_log.pref" suite
    for suite in $suites; do printf 'Package: *\nPin: release n=%s\nPin-Priority: -1\n\n' "$suite"; done >"$pref"
    echo "bootstrap: the mirror's index of ${suites// /, } is inconsistent (a sync in progress); installing without that suite"
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends -o Dir::Etc::Preferences="$pref" "$@" \
      >"$qlx_apt_log" 2>&1 && { rm -f "$pref"; return 0; }
    rm -f "$pref"
  fi
  cat "$qlx_apt_log" >&2
  echo "bootstrap: the packages could not be installed (apt's words above). Check the package sources and the network, or wait until the mirror has finished its sync, then run the command again." >&2
  return 1
}

qlx_apt_cleanup() { rm -f "$qlx_apt_log" "$qlx_apt_log.pref"; }
