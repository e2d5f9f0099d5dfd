# Shared by the scripts.

# Configures one build directory.
# usage: konfiguriere <build-dir> [cmake options...]
konfiguriere() {
    local verzeichnis=$1
    shift
    local launcher=()
    if command -v ccache >/dev/null; then
        # Relative paths, and a hash that leaves out the build folder (debug builds would
        # put it in), let worktrees and clones of the project share cached objects.
        export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
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
