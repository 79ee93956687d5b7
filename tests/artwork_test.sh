# Draws the artwork afresh: tools/drawassets must write exactly the pictures committed under
# assets/, by name at any depth and byte for byte.
# Usage: artwork_test.sh <tilzo_drawassets> <source>/assets
set -eu
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$out"
diff -r -x CMakeLists.txt -x '*.qrc' "$2" "$out"
