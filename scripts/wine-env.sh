# Sourced: the Wine environment of one build tree. Needs QUORVEL_BUILD_DIR.
export WINEPREFIX="$QUORVEL_BUILD_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export HOME="$QUORVEL_BUILD_DIR/home"
mkdir -p "$HOME"
