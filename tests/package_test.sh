#!/bin/sh
# Builds the Debian package from the build in $1 and checks that it installs
# the program, its menu entry and its icon and nothing else, declares the
# packages it needs at run time, and that the installed program starts.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/*.deb)
echo "package: $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(printf '%s\n' ./usr/bin/zorvaku ./usr/share/applications/zorvaku.desktop \
  ./usr/share/icons/hicolor/32x32/apps/zorvaku.png | sort)
if [ "$files" != "$expected" ]; then
  echo "installed files differ:"; echo "$files"; exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
names=$(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 fonts-ipafont-gothic; do
  echo "$names" | grep -qxF "$needed" || { echo "Depends lacks $needed"; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
entry="$work/root/usr/share/applications/zorvaku.desktop"
for line in "Type=Application" "Exec=zorvaku" "Icon=zorvaku" "Name=Zorvaku"; do
  grep -qx "$line" "$entry" || { echo "menu entry lacks $line"; exit 1; }
done

# The installed program starts and keeps running until stopped.
cd "$work"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/zorvaku" >"$work/run.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
  echo "the program ended by itself (status $status):"; cat "$work/run.log"; exit 1
fi
echo "package ok"
