# Shared by the scripts.

# Configures one build directory.
# usage: konfiguriere <build-dir> [cmake options...]
konfiguriere() {
    local verzeichnis=$1
    shift
    local launcher=()
    if command -v ccache >/dev/null; then
        # Relative paths let worktrees of the project share cached objects.
        export CCACHE_BASEDIR="$PWD"
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$verzeichnis" -G Ninja "${launcher[@]}" "$@" >/dev/null
}

# Configures and builds one build directory.
# usage: baue <build-dir> [cmake options...]
baue() {
    konfiguriere "$@"
    cmake --build "$1" -j "$(nproc)"
}
