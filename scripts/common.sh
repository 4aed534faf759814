# Shared by run.sh and test.sh: install what is missing, then build.
set -euo pipefail

KRV_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libjpeg62-turbo-dev libgtest-dev fonts-liberation2 poppler-utils
              libgmock-dev libbenchmark-dev python3 clang libclang-rt-14-dev xvfb xauth
              dpkg-dev file desktop-file-utils help2man lintian)

krv_install_missing() {
    local missing=()
    for p in "${KRV_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
    fi
}

# krv_build DIR [cmake options...]
krv_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
