# Shared by the scripts: the repository root as working directory and the release build.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# Installs what is missing, then builds the given targets incrementally into build/.
build_release() {
  bash scripts/setup.sh
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_TESTS=OFF > /dev/null
  cmake --build build --target "$@"
}
