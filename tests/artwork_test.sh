# Draws the artwork afresh: tools/drawassets must write exactly the pictures committed under
# assets/, by name at any depth and byte for byte, and fail when it cannot write them.
# Usage: artwork_test.sh <tilzo_drawassets> <source>/assets
set -eu
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$out"
diff -r -x CMakeLists.txt -x '*.qrc' "$2" "$out"
if "$1" /proc/no-such-folder 2>/dev/null; then echo "pictures it could not write reported as written"; exit 1; fi
